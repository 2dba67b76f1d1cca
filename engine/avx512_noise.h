// The Analog noise of nextAnalogNoise (analog_noise.h), sixteen draws per AVX-512 step. Part of
// the AVX-512 kernel; the code is compiled for AVX-512F and has internal linkage, so it never
// stands in for default-target code of other files.
#pragma once

#include <cstdint>

#include "noise_jumps.h"
#include "wide_intrinsics.h"

#pragma GCC push_options
#pragma GCC target("avx512f,no-fma")

namespace dsp {
namespace {

// Fills out[0, 2·frames) with the noise of nextAnalogNoise, left and right draw per frame,
// and advances the seed by exactly 2·frames draws (frames ≤ kMaxFrames; whole steps are
// written; `out` aligned to 64 bytes).
template <int kMaxFrames>
void drawAvx512Noise(uint32_t& seed, double* out, int32_t frames) {
    const __m512i first = _mm512_add_epi32(
        _mm512_mullo_epi32(_mm512_load_si512(kNoiseLanes.a), _mm512_set1_epi32(static_cast<int>(seed))),
        _mm512_load_si512(kNoiseLanes.b));
    alignas(64) uint32_t states[kDrawsPerStep];
    const int32_t draws = 2 * frames;
    for (int32_t i = 0; i < draws; i += kDrawsPerStep) {
        // Every step jumps from the first one, so the steps do not wait for each other.
        const NoiseJump step = kNoiseSteps<kMaxFrames>[i / kDrawsPerStep];
        const __m512i generator =
            _mm512_add_epi32(_mm512_mullo_epi32(first, _mm512_set1_epi32(static_cast<int>(step.a))),
                             _mm512_set1_epi32(static_cast<int>(step.b)));
        const __m512i bits =
            _mm512_or_si512(_mm512_srli_epi32(generator, 9), _mm512_set1_epi32(static_cast<int>(kNoiseExponent)));
        const __m512 centred =
            _mm512_mul_ps(_mm512_sub_ps(_mm512_castsi512_ps(bits), _mm512_set1_ps(3.0f)), _mm512_set1_ps(0.5f));
        const __m256 low = _mm512_castps512_ps256(centred);
        const __m256 high = _mm256_castsi256_ps(_mm512_extracti64x4_epi64(_mm512_castps_si512(centred), 1));
        _mm512_store_pd(out + i, _mm512_mul_pd(_mm512_cvtps_pd(low), _mm512_set1_pd(kNoiseScale)));
        _mm512_store_pd(out + i + 8, _mm512_mul_pd(_mm512_cvtps_pd(high), _mm512_set1_pd(kNoiseScale)));
        if (i + kDrawsPerStep >= draws) {
            _mm512_store_si512(states, generator);
            seed = states[draws - 1 - i];
        }
    }
}

}  // namespace
}  // namespace dsp

#pragma GCC pop_options
