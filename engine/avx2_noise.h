// The Analog noise of nextAnalogNoise (analog_noise.h) for the AVX2 kernel, drawn sixteen at a
// time in AVX2 registers (avx2_noise.cpp, compiled for AVX2: call only where the processor has
// it).
#pragma once

#include <cstdint>

namespace dsp {

// The most frames one call draws for.
constexpr int32_t kAvx2NoiseFrames = 32;

// Fills out[0, 2·frames) with the noise of nextAnalogNoise, left and right draw per frame, and
// advances the seed by exactly 2·frames draws. frames ≤ kAvx2NoiseFrames; out is 32-byte aligned
// with room for 2·kAvx2NoiseFrames values (whole steps of sixteen draws are written).
void drawAnalogNoiseAvx2(uint32_t& seed, double* out, int32_t frames);

}  // namespace dsp
