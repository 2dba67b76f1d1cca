// The engine's plain chain (portable_chain.h) run the plainest way: one channel at a time with
// scalar doubles, every running section computed (also those a kernel passes as the identity).
// Every kernel must match it bit for bit.
#pragma once

#include "analog_noise.h"
#include "call_settings.h"
#include "portable_chain.h"

using namespace dsp;  // the engine's names, unqualified in the tests

struct ReferenceChain {
    ChainCoefficients<double> c;
    ChainStates<double> s[2];
    uint32_t seed = 0;

    // Runs one frame; returns the two output samples (mono handled by the caller).
    void frame(const CallSettings& cs, double d, double& xl, double& xr) {
        const uint32_t running = runningSections(cs);
        double noise[2] = {0.0, 0.0};
        if (cs.analog) {
            noise[0] = nextAnalogNoise(seed);
            noise[1] = nextAnalogNoise(seed);
        }
        double x[2] = {xl, xr};
        for (int ch = 0; ch < 2; ++ch) x[ch] = chainFrame(c, s[ch], running, 0u, x[ch], noise[ch], d) * cs.outputGain;
        xl = x[0] * cs.polarity;
        xr = (cs.mono ? x[0] : x[1]) * cs.polarity;
    }
};
