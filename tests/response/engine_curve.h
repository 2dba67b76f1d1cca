// The frequency response QX71 should have, computed from the engine's own designs and per-call
// decisions for a set of stored parameter values. The only place where the response tests use
// engine internals.
#pragma once

#include <complex>

#include "call_settings.h"
#include "chain_layout.h"
#include "group_designs.h"
#include "parameter_decoding.h"
#include "response.h"

class EngineCurve {
public:
    // values: the 26 stored parameter values.
    EngineCurve(const float* values, double sampleRate)
        : settings_(decodeCallSettings(values, false)), rate_(sampleRate) {
        DesignedChain chain;
        for (int group = 0; group < kDesignGroupCount; ++group) {
            designGroup(static_cast<DesignGroup>(group), values, sampleRate, chain);
        }
        c_ = chain.coefficients;
    }

    // The chain's response at frequency f (Hz), both channels alike.
    std::complex<double> at(double f) const {
        const CallSettings& s = settings_;
        std::complex<double> h = s.outputGain * s.polarity;
        if (s.analog) h *= highShelfResponse(c_.analogShelf, f, rate_);
        if (s.lowBand) {
            h *= lowShelfResponse(c_.lfShelf, f, rate_) * response(c_.lfDip, f, rate_) * response(c_.lfMain, f, rate_);
        }
        if (s.midBand) h *= response(c_.mfPeak, f, rate_);
        if (s.highBand) h *= highShelfResponse(c_.hfShelf, f, rate_) * response(c_.hfPeak, f, rate_);
        if (s.highPass) h *= passResponse(s.highPassSlope, c_.hpFirst, c_.hpStage1, c_.hpStage2, f);
        if (s.lowPass) h *= passResponse(s.lowPassSlope, c_.lpFirst, c_.lpStage1, c_.lpStage2, f);
        return h;
    }

private:
    std::complex<double> passResponse(int slope, const FirstOrder<double>& first, const Biquad<double>& stage1,
                                      const Biquad<double>& stage2, double f) const {
        switch (slope) {
            case 0: return response(first, f, rate_);
            case 1: return response(stage1, f, rate_);
            case 2: return response(first, f, rate_) * response(stage1, f, rate_);
            default: return response(stage1, f, rate_) * response(stage2, f, rate_);
        }
    }

    CallSettings settings_;
    double rate_;
    ChainCoefficients<double> c_;
};
