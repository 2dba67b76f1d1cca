// Jump-ahead tables for drawing the Analog noise of nextAnalogNoise (analog_noise.h) sixteen
// draws at a time: every lane jumps ahead of the seed by its own number of draws, so no draw
// waits for the one before. Used by the AVX-512 kernel's drawNoise and drawAnalogNoiseAvx2.
#pragma once

#include <cstdint>

#include "analog_noise.h"

namespace dsp {
namespace {

constexpr int kDrawsPerStep = 16;

// The generator state after n draws is a·s + b for these (a, b).
struct NoiseJump {
    uint32_t a = 1, b = 0;
};
constexpr NoiseJump noiseJump(int draws) {
    NoiseJump jump;
    for (int i = 0; i < draws; ++i) jump = {jump.a * kNoiseMultiplier, jump.b * kNoiseMultiplier + kNoiseIncrement};
    return jump;
}

// Lane i of the first step is i + 1 draws ahead of the seed.
struct NoiseLanes {
    alignas(64) uint32_t a[kDrawsPerStep];
    alignas(64) uint32_t b[kDrawsPerStep];
};
constexpr NoiseLanes noiseLanes() {
    NoiseLanes lanes{};
    for (int i = 0; i < kDrawsPerStep; ++i) {
        lanes.a[i] = noiseJump(i + 1).a;
        lanes.b[i] = noiseJump(i + 1).b;
    }
    return lanes;
}
constexpr NoiseLanes kNoiseLanes = noiseLanes();

// Step k is 16·k draws ahead of the first step; one call draws for at most kMaxFrames frames.
template <int kMaxFrames>
struct NoiseSteps {
    static_assert(2 * kMaxFrames % kDrawsPerStep == 0, "the draws fill whole steps");
    static constexpr int kCount = 2 * kMaxFrames / kDrawsPerStep;
    NoiseJump jumps[kCount];
    constexpr NoiseJump operator[](int step) const { return jumps[step]; }
};
template <int kMaxFrames>
constexpr NoiseSteps<kMaxFrames> noiseSteps() {
    NoiseSteps<kMaxFrames> steps{};
    for (int k = 0; k < NoiseSteps<kMaxFrames>::kCount; ++k) steps.jumps[k] = noiseJump(kDrawsPerStep * k);
    return steps;
}
template <int kMaxFrames>
inline constexpr NoiseSteps<kMaxFrames> kNoiseSteps = noiseSteps<kMaxFrames>();

}  // namespace
}  // namespace dsp
