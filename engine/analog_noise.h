// The Analog stage's noise: a 32-bit linear congruential generator whose upper bits are read
// as a float in [2, 4), centred and scaled to about −106 dB.
#pragma once

#include <cstdint>
#include <cstring>

inline double nextAnalogNoise(uint32_t& seed) {
    seed = seed * 196314165u + 907633515u;
    const uint32_t bits = (seed >> 9) | 0x40000000u;
    float word;
    std::memcpy(&word, &bits, sizeof word);
    const float centred = (word - 3.0f) * 0.5f;
    return static_cast<double>(centred) * 1e-5;
}
