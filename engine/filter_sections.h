// The three filter section kinds: coefficient records (shared by both channels), state
// records (one per channel) and their per-sample steps. T is double for one channel or
// Pair for both channels at once; the arithmetic order is the same for both.
#pragma once

namespace dsp {

template <class T>
struct Biquad {
    // a0 is the design's denominator before normalisation, kept for reference only.
    T a0{}, a1{}, a2{}, b0{}, b1{}, b2{};
};
template <class T>
struct BiquadState {
    T x1{}, x2{}, y1{}, y2{};
};

template <class T>
struct FirstOrder {
    T b0{}, b1{}, a1{};
};
template <class T>
struct FirstOrderState {
    T x1{}, y1{};
};

// First-order allpass (coefficient c) mixed by the shelf amount k.
template <class T>
struct Shelf {
    T k{}, c{};
};
template <class T>
struct ShelfState {
    T s{};
};

// The steps are always inlined: the wide kernels also run them on vector types that only
// their own instruction set can handle, so no stand-alone copy may exist for those types.
#define QX71_SECTION_STEP inline __attribute__((always_inline))

inline Biquad<double> identityBiquad() { return {0.0, 0.0, 0.0, 1.0, 0.0, 0.0}; }
inline FirstOrder<double> identityFirstOrder() { return {1.0, 0.0, 0.0}; }
inline Shelf<double> zeroShelf() { return {0.0, 0.0}; }

// Direct form I.
template <class T>
QX71_SECTION_STEP T biquadStep(const Biquad<T>& c, BiquadState<T>& s, T x) {
    const T y = c.b0 * x + c.b1 * s.x1 + c.b2 * s.x2 - c.a1 * s.y1 - c.a2 * s.y2;
    s.x2 = s.x1;
    s.x1 = x;
    s.y2 = s.y1;
    s.y1 = y;
    return y;
}

template <class T>
QX71_SECTION_STEP T firstOrderStep(const FirstOrder<T>& c, FirstOrderState<T>& s, T x) {
    const T y = c.b0 * x + c.b1 * s.x1 - c.a1 * s.y1;
    s.x1 = x;
    s.y1 = y;
    return y;
}

// Allpass output in canonical form; advances the state.
template <class T>
QX71_SECTION_STEP T shelfAllpass(const Shelf<T>& c, ShelfState<T>& s, T x, T& w) {
    w = x - c.c * s.s;
    return c.c * w + s.s;
}

template <class T>
QX71_SECTION_STEP T highShelfStep(const Shelf<T>& c, ShelfState<T>& s, T x) {
    T w;
    const T ap = shelfAllpass(c, s, x, w);
    s.s = w;
    return (x - ap) * c.k + x;
}

template <class T>
QX71_SECTION_STEP T lowShelfStep(const Shelf<T>& c, ShelfState<T>& s, T x) {
    T w;
    const T ap = shelfAllpass(c, s, x, w);
    s.s = w;
    return (ap + x) * c.k + x;
}

// Moves the states of an identity section (identityBiquad, identityFirstOrder, zeroShelf) on as
// if x had passed through it, without its arithmetic: x is the latest input and output.
template <class T>
QX71_SECTION_STEP void passThrough(BiquadState<T>& s, T x) {
    s.x2 = s.x1;
    s.x1 = x;
    s.y2 = s.y1;
    s.y1 = x;
}
template <class T>
QX71_SECTION_STEP void passThrough(FirstOrderState<T>& s, T x) {
    s.x1 = x;
    s.y1 = x;
}
template <class T>
QX71_SECTION_STEP void passThrough(ShelfState<T>& s, T x) {
    s.s = x;
}

}  // namespace dsp
