// The chain's frame loop with four sections (left and right channel each) per AVX-512
// register. Only for processors where kernelSupported(ChainKernelKind::avx512).
#pragma once

#include <cstdint>

#include "call_settings.h"
#include "chain_layout.h"
#include "stereo_pair.h"

namespace dsp {

// Runs `frames` frames (at most 2^20) through the chain like ChainKernel::process and leaves
// the states cleaned up; returns the largest frame level when settings.measurePeak asks for it.
template <class Sample>
double runChainAvx512(const ChainCoefficients<Pair>& coefficients, ChainStates<Pair>& states,
                      const Sample* const* inputs, Sample* const* outputs, int32_t frames, const CallSettings& settings,
                      double offset, uint32_t& noiseSeed);

}  // namespace dsp
