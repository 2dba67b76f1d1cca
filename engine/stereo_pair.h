// One sample of the left and the right channel in one SSE2 register. Every operator works
// lane by lane with IEEE double arithmetic, so each channel gets exactly the result of the
// same expression written with plain doubles.
#pragma once

#include <emmintrin.h>

namespace dsp {

struct Pair {
    __m128d v;

    Pair() : v(_mm_setzero_pd()) {}
    explicit Pair(__m128d value) : v(value) {}
    // The same value in both lanes (shared coefficients).
    explicit Pair(double both) : v(_mm_set1_pd(both)) {}
    Pair(double left, double right) : v(_mm_set_pd(right, left)) {}

    double left() const { return _mm_cvtsd_f64(v); }
    double right() const { return _mm_cvtsd_f64(_mm_unpackhi_pd(v, v)); }
};

inline Pair operator+(Pair a, Pair b) { return Pair(_mm_add_pd(a.v, b.v)); }
inline Pair operator-(Pair a, Pair b) { return Pair(_mm_sub_pd(a.v, b.v)); }
inline Pair operator*(Pair a, Pair b) { return Pair(_mm_mul_pd(a.v, b.v)); }

}  // namespace dsp
