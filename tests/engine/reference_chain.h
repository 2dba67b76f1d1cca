// The chain written the plain way: one channel at a time, one frame through every running
// section before the next, with scalar doubles. The engine must match it bit for bit.
#pragma once

#include <cmath>

#include "analog_noise.h"
#include "call_settings.h"
#include "chain_layout.h"

using namespace dsp;  // the engine's names, unqualified in the tests

struct ReferenceChain {
    ChainCoefficients<double> c;
    ChainStates<double> s[2];
    uint32_t seed = 0;

    // Runs one frame; returns the two output samples (mono handled by the caller).
    void frame(const CallSettings& cs, double d, double& xl, double& xr) {
        double x[2] = {xl, xr};
        if (cs.analog) {
            for (int ch = 0; ch < 2; ++ch) {
                x[ch] = highShelfStep(c.analogShelf, s[ch].analogShelf, x[ch] + nextAnalogNoise(seed));
            }
        }
        for (int ch = 0; ch < 2; ++ch) {
            ChainStates<double>& st = s[ch];
            double v = x[ch];
            if (cs.lowBand) {
                v = lowShelfStep(c.lfShelf, st.lfShelf, v);
                v = biquadStep(c.lfDip, st.lfDip, v);
                v = biquadStep(c.lfMain, st.lfMain, v);
            }
            if (cs.midBand) v = biquadStep(c.mfPeak, st.mfPeak, v + d);
            if (cs.highBand) v = biquadStep(c.hfPeak, st.hfPeak, highShelfStep(c.hfShelf, st.hfShelf, v + d) + d);
            if (cs.highPass) {
                switch (cs.highPassSlope) {
                    case 0: v = firstOrderStep(c.hpFirst, st.hpFirst, v); break;
                    case 1: v = biquadStep(c.hpStage1, st.hpStage1, v); break;
                    case 2: v = biquadStep(c.hpStage1, st.hpStage1, firstOrderStep(c.hpFirst, st.hpFirst, v)); break;
                    default: v = biquadStep(c.hpStage2, st.hpStage2, biquadStep(c.hpStage1, st.hpStage1, v)); break;
                }
            }
            if (cs.lowPass) {
                switch (cs.lowPassSlope) {
                    case 0: v = firstOrderStep(c.lpFirst, st.lpFirst, v + d); break;
                    case 1: v = biquadStep(c.lpStage1, st.lpStage1, v + d); break;
                    case 2:
                        v = biquadStep(c.lpStage1, st.lpStage1, firstOrderStep(c.lpFirst, st.lpFirst, v + d) + d);
                        break;
                    default:
                        v = biquadStep(c.lpStage2, st.lpStage2, biquadStep(c.lpStage1, st.lpStage1, v + d) + d);
                        break;
                }
            }
            x[ch] = v * cs.outputGain;
        }
        xl = x[0] * cs.polarity;
        xr = (cs.mono ? x[0] : x[1]) * cs.polarity;
    }
};
