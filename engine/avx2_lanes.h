// The AVX2 kernel's lane operations, on which wide_chain_run.h builds the frame loop: the
// AVX-512 kernel's four slots of a left and right pair, held in two four-double registers
// (slots 0–1 in `low`, 2–3 in `high`). Include only from chain_kernel_wide.cpp, inside its AVX2
// target region and an anonymous namespace in dsp.
#pragma once

struct W {
    __m256d low, high;

    W() : low(_mm256_setzero_pd()), high(_mm256_setzero_pd()) {}
    W(__m256d lowHalf, __m256d highHalf) : low(lowHalf), high(highHalf) {}
    // Copies move whole registers: left to itself, the compiler copies this record in 16-byte
    // pieces, which later 32-byte loads of the same place must wait for.
    W(const W& other) : low(other.low), high(other.high) {}
    W& operator=(const W& other) {
        low = other.low;
        high = other.high;
        return *this;
    }
};
// Lane by lane, so the section steps of filter_sections.h run on W unchanged.
W operator+(W a, W b) { return {a.low + b.low, a.high + b.high}; }
W operator-(W a, W b) { return {a.low - b.low, a.high - b.high}; }
W operator*(W a, W b) { return {a.low * b.low, a.high * b.high}; }

using Mask = unsigned char;  // bit 2i + c: channel c of slot i
constexpr int kSlots = 4;
constexpr Mask slotMask(int slot) { return static_cast<Mask>(3u << (2 * slot)); }

W splat(double x) { return {_mm256_set1_pd(x), _mm256_set1_pd(x)}; }

// All bits set in the lanes whose bit is set in `bits` (four lanes).
__m256d laneSelector(unsigned bits) {
    const __m256i bit = _mm256_set_epi64x(8, 4, 2, 1);
    return _mm256_castsi256_pd(
        _mm256_cmpeq_epi64(_mm256_and_si256(_mm256_set1_epi64x(static_cast<long long>(bits)), bit), bit));
}
// The lanes of `b` where `lanes` is set, else those of `a`.
W blend(Mask lanes, W a, W b) {
    return {_mm256_blendv_pd(a.low, b.low, laneSelector(lanes & 15u)),
            _mm256_blendv_pd(a.high, b.high, laneSelector(lanes >> 4))};
}
W blendBits(Mask lanes, W a, W b) { return blend(lanes, a, b); }
// `target` with the lanes `lanes` taken from `source`.
W withLanes(W target, Mask lanes, W source) { return blend(lanes, target, source); }

// Slot changes outside the frame loop go through memory.
W withSlot(W w, int slot, Pair p) {
    alignas(32) double lanes[8];
    _mm256_store_pd(lanes, w.low);
    _mm256_store_pd(lanes + 4, w.high);
    _mm_store_pd(lanes + 2 * slot, p.v);
    return {_mm256_load_pd(lanes), _mm256_load_pd(lanes + 4)};
}
Pair pairIn(W w, int slot) {
    alignas(32) double lanes[8];
    _mm256_store_pd(lanes, w.low);
    _mm256_store_pd(lanes + 4, w.high);
    return Pair(_mm_load_pd(lanes + 2 * slot));
}

// The register that holds slot kSlot (0–3 of `first`, 4–7 of `second`).
template <int kSlot>
__m256d holderOf(W first, W second) {
    const W& w = kSlot < 4 ? first : second;
    return (kSlot & 2) != 0 ? w.high : w.low;
}
template <int kSlot>
W withSlotFrom(W w, const double* pair) {
    __m256d& half = (kSlot & 2) != 0 ? w.high : w.low;
    half = _mm256_insertf128_pd(half, _mm_loadu_pd(pair), kSlot & 1);
    return w;
}
template <int kSlot>
void storeSlot(double* pair, W w) {
    _mm_storeu_pd(pair, _mm256_extractf128_pd((kSlot & 2) != 0 ? w.high : w.low, kSlot & 1));
}

// Slots X and Y (numbered as in pick) side by side in one register.
template <int X, int Y>
__m256d pickTwo(W first, W second) {
    const __m256d x = holderOf<X>(first, second);
    const __m256d y = holderOf<Y>(first, second);
    // Already in place in their registers: a blend, which is cheaper than a lane crossing.
    if constexpr ((X & 1) == 0 && (Y & 1) == 1) return _mm256_blend_pd(x, y, 0xC);
    return _mm256_permute2f128_pd(x, y, (X & 1) | (((Y & 1) + 2) << 4));
}
// Result slots picked from two registers: slots 0–3 of `first`, then 4–7 of `second`.
template <int A, int B, int C, int D>
W pick(W first, W second) {
    return {pickTwo<A, B>(first, second), pickTwo<C, D>(first, second)};
}

W loadLanes(const double* p) { return {_mm256_loadu_pd(p), _mm256_loadu_pd(p + 4)}; }
W loadAlignedLanes(const double* p) { return {_mm256_load_pd(p), _mm256_load_pd(p + 4)}; }
void storeLanes(double* p, W v) {
    _mm256_storeu_pd(p, v.low);
    _mm256_storeu_pd(p + 4, v.high);
}

// Eight samples of one channel as doubles, and back.
W loadEight(const float* p) { return {_mm256_cvtps_pd(_mm_loadu_ps(p)), _mm256_cvtps_pd(_mm_loadu_ps(p + 4))}; }
W loadEight(const double* p) { return loadLanes(p); }
void storeEight(float* p, W v) {
    _mm_storeu_ps(p, _mm256_cvtpd_ps(v.low));
    _mm_storeu_ps(p + 4, _mm256_cvtpd_ps(v.high));
}
void storeEight(double* p, W v) { storeLanes(p, v); }

// Eight frames as pairs (two registers) from the two channels, and the other way round.
template <int kFirst>
W interleave(W left, W right) {
    const __m256d l = kFirst == 0 ? left.low : left.high;
    const __m256d r = kFirst == 0 ? right.low : right.high;
    const __m256d even = _mm256_unpacklo_pd(l, r);  // frames 0 and 2 of the four
    const __m256d odd = _mm256_unpackhi_pd(l, r);   // frames 1 and 3
    return {_mm256_permute2f128_pd(even, odd, 0x20), _mm256_permute2f128_pd(even, odd, 0x31)};
}
template <int kChannel>
__m256d channelOfFour(W pairs) {
    const __m256d mixed =
        kChannel == 0 ? _mm256_unpacklo_pd(pairs.low, pairs.high) : _mm256_unpackhi_pd(pairs.low, pairs.high);
    return _mm256_permute4x64_pd(mixed, 0xD8);  // frames 0 2 1 3 into order
}
template <int kChannel>
W channelOf(W firstFour, W lastFour) {
    return {channelOfFour<kChannel>(firstFour), channelOfFour<kChannel>(lastFour)};
}

W absLanes(W v) {
    const __m256d magnitude = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7FFFFFFFFFFFFFFFLL));
    return {_mm256_and_pd(v.low, magnitude), _mm256_and_pd(v.high, magnitude)};
}
// Lane by lane the larger of a and b, and b where either is a NaN.
W maxLanes(W a, W b) { return {_mm256_max_pd(a.low, b.low), _mm256_max_pd(a.high, b.high)}; }
double largestLane(W v) {
    const __m256d four = _mm256_max_pd(v.low, v.high);
    const __m128d two = _mm_max_pd(_mm256_castpd256_pd128(four), _mm256_extractf128_pd(four, 1));
    return _mm_cvtsd_f64(_mm_max_pd(two, _mm_unpackhi_pd(two, two)));
}
