// The AVX-512 kernel's lane operations, on which wide_chain_run.h builds the frame loop: eight
// doubles per register, lanes 2i and 2i + 1 the left and right channel of slot i. The code is
// compiled for AVX-512F without FMA and has internal linkage (anonymous namespace), so none of
// it stands in for default-target code of other files.
#pragma once

#include <cstdint>

#include "avx512_noise.h"
#include "stereo_pair.h"
#include "wide_intrinsics.h"

#pragma GCC push_options
#pragma GCC target("avx512f,no-fma")

namespace dsp {
namespace {

// Every operation is always inlined: the frame loop stays one function per set of computing
// groups, with no calls in it.
#define QX71_LANE_OP __attribute__((always_inline)) static

struct Avx512Lanes {
    // GCC's built-in vector arithmetic works lane by lane, so the section steps of
    // filter_sections.h run on W unchanged, and once inlined they become AVX-512 code.
    typedef double W __attribute__((vector_size(64)));
    using Mask = __mmask8;  // bit 2i + c: channel c of slot i
    static constexpr int kSlots = 4;

    // The lanes of the slots in `slots` (bit i: slot i).
    static constexpr Mask slotLanes(unsigned slots) {
        unsigned lanes = 0;
        for (int slot = 0; slot < kSlots; ++slot) lanes |= (slots >> slot & 1u) != 0 ? 3u << (2 * slot) : 0u;
        return static_cast<Mask>(lanes);
    }

    QX71_LANE_OP W splat(double x) { return _mm512_set1_pd(x); }

    // The lanes of `b` where `lanes` is set, else those of `a`.
    QX71_LANE_OP W blend(Mask lanes, W a, W b) { return _mm512_mask_blend_pd(lanes, a, b); }
    // The same as an integer blend, which does not wait for a floating-point unit.
    QX71_LANE_OP W blendBits(Mask lanes, W a, W b) {
        return _mm512_castsi512_pd(_mm512_mask_blend_epi64(lanes, _mm512_castpd_si512(a), _mm512_castpd_si512(b)));
    }
    // `target` with the lanes `lanes` taken from `source`.
    QX71_LANE_OP W withLanes(W target, Mask lanes, W source) { return _mm512_mask_mov_pd(target, lanes, source); }

    QX71_LANE_OP W withSlot(W w, int slot, Pair p) {
        const __m512 lanes = _mm512_mask_broadcast_f32x4(
            _mm512_castpd_ps(w), static_cast<__mmask16>(0xFu << (4 * slot)), _mm_castpd_ps(p.v));
        return _mm512_castps_pd(lanes);
    }
    // w with slot kSlot replaced by the pair at `pair`.
    template <int kSlot>
    QX71_LANE_OP W withSlotFrom(W w, const double* pair) {
        constexpr __mmask16 kLanes = 0xFu << (4 * kSlot);
        return _mm512_castps_pd(
            _mm512_mask_broadcast_f32x4(_mm512_castpd_ps(w), kLanes, _mm_castpd_ps(_mm_loadu_pd(pair))));
    }
    QX71_LANE_OP Pair pairIn(W w, int slot) {
        const __m512i index = _mm512_set1_epi64(2 * slot) + _mm512_set_epi64(1, 0, 1, 0, 1, 0, 1, 0);
        return Pair(_mm512_castpd512_pd128(_mm512_permutex2var_pd(w, index, w)));
    }
    template <int kSlot>
    QX71_LANE_OP void storeSlot(double* pair, W w) {
        _mm_storeu_ps(reinterpret_cast<float*>(pair), _mm512_extractf32x4_ps(_mm512_castpd_ps(w), kSlot));
    }

    // Result slots picked from two registers: slots 0–3 of `first`, then 4–7 of `second`.
    template <int A, int B, int C, int D>
    QX71_LANE_OP W pick(W first, W second) {
        const __m512i index = _mm512_set_epi64(2 * D + 1, 2 * D, 2 * C + 1, 2 * C, 2 * B + 1, 2 * B, 2 * A + 1, 2 * A);
        return _mm512_permutex2var_pd(first, index, second);
    }

    QX71_LANE_OP W loadLanes(const double* p) { return _mm512_loadu_pd(p); }
    QX71_LANE_OP W loadAlignedLanes(const double* p) { return _mm512_load_pd(p); }
    QX71_LANE_OP void storeLanes(double* p, W v) { _mm512_storeu_pd(p, v); }

    // Eight samples of one channel as doubles, and back.
    QX71_LANE_OP W loadEight(const float* p) { return _mm512_cvtps_pd(_mm256_loadu_ps(p)); }
    QX71_LANE_OP W loadEight(const double* p) { return _mm512_loadu_pd(p); }
    QX71_LANE_OP void storeEight(float* p, W v) { _mm256_storeu_ps(p, _mm512_cvtpd_ps(v)); }
    QX71_LANE_OP void storeEight(double* p, W v) { _mm512_storeu_pd(p, v); }

    // Eight frames as pairs (two registers) from the two channels, and the other way round.
    template <int kFirst>
    QX71_LANE_OP W interleave(W left, W right) {
        const __m512i index = _mm512_set_epi64(kFirst + 11, kFirst + 3, kFirst + 10, kFirst + 2, kFirst + 9, kFirst + 1,
                                               kFirst + 8, kFirst);
        return _mm512_permutex2var_pd(left, index, right);
    }
    template <int kChannel>
    QX71_LANE_OP W channelOf(W firstFour, W lastFour) {
        const __m512i index = _mm512_set_epi64(14 + kChannel, 12 + kChannel, 10 + kChannel, 8 + kChannel, 6 + kChannel,
                                               4 + kChannel, 2 + kChannel, kChannel);
        return _mm512_permutex2var_pd(firstFour, index, lastFour);
    }

    QX71_LANE_OP W absLanes(W v) { return _mm512_abs_pd(v); }
    // Lane by lane the larger of a and b, and b where either is a NaN.
    QX71_LANE_OP W maxLanes(W a, W b) { return _mm512_max_pd(a, b); }
    QX71_LANE_OP double largestLane(W v) { return _mm512_reduce_max_pd(v); }

    // The Analog noise in blocks (avx512_noise.h).
    template <int kMaxFrames>
    QX71_LANE_OP void drawNoise(uint32_t& seed, double* out, int32_t frames) {
        drawAvx512Noise<kMaxFrames>(seed, out, frames);
    }
};

#undef QX71_LANE_OP

}  // namespace
}  // namespace dsp

#pragma GCC pop_options
