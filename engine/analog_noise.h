// The Analog stage's noise: a 32-bit linear congruential generator whose upper bits are read
// as a float in [2, 4), centred and scaled to about −106 dB.
#pragma once

#include <cstdint>
#include <cstring>

namespace dsp {

constexpr uint32_t kNoiseMultiplier = 196314165u;
constexpr uint32_t kNoiseIncrement = 907633515u;
constexpr uint32_t kNoiseExponent = 0x40000000u;  // with 23 generator bits as mantissa: [2, 4)
constexpr double kNoiseScale = 1e-5;

inline double nextAnalogNoise(uint32_t& seed) {
    seed = seed * kNoiseMultiplier + kNoiseIncrement;
    const uint32_t bits = (seed >> 9) | kNoiseExponent;
    float word;
    std::memcpy(&word, &bits, sizeof word);
    const float centred = (word - 3.0f) * 0.5f;
    return static_cast<double>(centred) * kNoiseScale;
}

}  // namespace dsp
