#include "avx2_noise.h"

#include "analog_noise.h"
#include "kernel_choice.h"
#include "noise_jumps.h"

#if QX71_WIDE_KERNELS
#include <immintrin.h>

#pragma GCC push_options
#pragma GCC target("avx2,no-fma")

namespace dsp {
namespace {

// Eight generator draws as noise values: (float in [2, 4) − 3) · 0.5, then scaled.
void storeNoise(double* out, __m256i generator) {
    const __m256i bits =
        _mm256_or_si256(_mm256_srli_epi32(generator, 9), _mm256_set1_epi32(static_cast<int>(kNoiseExponent)));
    const __m256 centred =
        _mm256_mul_ps(_mm256_sub_ps(_mm256_castsi256_ps(bits), _mm256_set1_ps(3.0f)), _mm256_set1_ps(0.5f));
    const __m256d scale = _mm256_set1_pd(kNoiseScale);
    _mm256_store_pd(out, _mm256_mul_pd(_mm256_cvtps_pd(_mm256_castps256_ps128(centred)), scale));
    _mm256_store_pd(out + 4, _mm256_mul_pd(_mm256_cvtps_pd(_mm256_extractf128_ps(centred, 1)), scale));
}

}  // namespace

void drawAnalogNoiseAvx2(uint32_t& seed, double* out, int32_t frames) {
    const __m256i seeds = _mm256_set1_epi32(static_cast<int>(seed));
    const __m256i firstLow =
        _mm256_add_epi32(_mm256_mullo_epi32(_mm256_load_si256(reinterpret_cast<const __m256i*>(kNoiseLanes.a)), seeds),
                         _mm256_load_si256(reinterpret_cast<const __m256i*>(kNoiseLanes.b)));
    const __m256i firstHigh = _mm256_add_epi32(
        _mm256_mullo_epi32(_mm256_load_si256(reinterpret_cast<const __m256i*>(kNoiseLanes.a + 8)), seeds),
        _mm256_load_si256(reinterpret_cast<const __m256i*>(kNoiseLanes.b + 8)));
    alignas(32) uint32_t states[kDrawsPerStep];
    const int32_t draws = 2 * frames;
    for (int32_t i = 0; i < draws; i += kDrawsPerStep) {
        // Every step jumps from the first one, so the steps do not wait for each other.
        const NoiseJump step = kNoiseSteps<kAvx2NoiseFrames>[i / kDrawsPerStep];
        const __m256i a = _mm256_set1_epi32(static_cast<int>(step.a));
        const __m256i b = _mm256_set1_epi32(static_cast<int>(step.b));
        const __m256i low = _mm256_add_epi32(_mm256_mullo_epi32(firstLow, a), b);
        const __m256i high = _mm256_add_epi32(_mm256_mullo_epi32(firstHigh, a), b);
        storeNoise(out + i, low);
        storeNoise(out + i + 8, high);
        if (i + kDrawsPerStep >= draws) {
            _mm256_store_si256(reinterpret_cast<__m256i*>(states), low);
            _mm256_store_si256(reinterpret_cast<__m256i*>(states + 8), high);
            seed = states[draws - 1 - i];
        }
    }
}

}  // namespace dsp

#pragma GCC pop_options
#endif
