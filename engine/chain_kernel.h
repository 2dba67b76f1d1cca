// The audio side of the engine: both channels' section states and the coefficients in use,
// and the frame loop of the audio callbacks. Owned and touched by the audio thread only.
// The frame loop is the plain one of portable_chain.h, the SSE2 one of chain_kernel.cpp (with
// the AVX2 stretches of chain_stretch_avx2.cpp for the avx2 kernel) or the wide one of
// chain_kernel_wide.cpp (kernel_choice.h), chosen once at construction; all give the same bits.
#pragma once

#include <cstdint>

#include "call_settings.h"
#include "chain_layout.h"
#include "kernel_choice.h"
#include "stereo_pair.h"

namespace dsp {

class ChainKernel {
public:
    ChainKernel();

    void setCoefficients(const ChainCoefficients<double>& designed);
    void clearStates(Section section);

    // Runs `frames` (> 0) frames through the chain. offset is the call's ±1e-15; noiseSeed
    // advances twice per frame while the Analog stage runs. Returns the largest frame level
    // (after output gain, before polarity) when settings.measurePeak asks for it, else 0.
    template <class Sample>
    double process(const Sample* const* inputs, Sample* const* outputs, int32_t frames, const CallSettings& settings,
                   double offset, uint32_t& noiseSeed);

    // One channel's view, for inspection.
    ChainCoefficients<double> coefficients() const;
    ChainStates<double> states(int channel) const;

private:
    // One piece of at most 2^20 frames, with the kernel chosen at construction.
    template <class Sample>
    double runPiece(const Sample* const* inputs, Sample* const* outputs, int32_t frames, const CallSettings& settings,
                    double offset, uint32_t& noiseSeed);

    const ChainKernelKind kind_;
    uint32_t identitySections_ = 0;  // one bit per Section whose coefficients are the identity
    ChainCoefficients<Pair> coefficients_;
    ChainStates<Pair> states_;
};

}  // namespace dsp
