// The AVX-512 kernel: the chain's frame loop with four sections (left and right channel each)
// per register. Only for processors where kernelSupported() says so.
#pragma once

#include <cstdint>

#include "call_settings.h"
#include "chain_layout.h"
#include "kernel_choice.h"
#include "stereo_pair.h"

namespace dsp {

// Runs `frames` frames (at most 2^20) through the chain like ChainKernel::process and leaves
// the states cleaned up; returns the largest frame level when settings.measurePeak asks for it.
// Defined for kKind avx512 (chain_kernel_wide.cpp).
template <ChainKernelKind kKind, class Sample>
double runWideKernel(const ChainCoefficients<Pair>& coefficients, ChainStates<Pair>& states,
                     const Sample* const* inputs, Sample* const* outputs, int32_t frames, const CallSettings& settings,
                     double offset, uint32_t& noiseSeed);

}  // namespace dsp
