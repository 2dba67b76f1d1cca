// The AVX-512 kernel: the wide frame loop of wide_chain_run.h on the lane operations of
// avx512_lanes.h, compiled for AVX-512F without FMA, so that every result keeps the separate
// rounding of each multiply and add.
#include "chain_kernel_wide.h"

#include "kernel_choice.h"

#if QX71_WIDE_KERNELS
#include "avx512_lanes.h"

// The frame loop takes the target of the region it is defined in; its instantiations over
// Avx512Lanes (a type with internal linkage) have internal linkage too.
#pragma GCC push_options
#pragma GCC target("avx512f,no-fma")
#include "wide_chain_run.h"

namespace dsp {

template <>
double runWideKernel<ChainKernelKind::avx512, float>(const ChainCoefficients<Pair>& coefficients,
                                                     ChainStates<Pair>& states, const float* const* inputs,
                                                     float* const* outputs, int32_t frames,
                                                     const CallSettings& settings, double offset, uint32_t& noiseSeed) {
    return runWideChain<Avx512Lanes>(coefficients, states, inputs, outputs, frames, settings, offset, noiseSeed);
}
template <>
double runWideKernel<ChainKernelKind::avx512, double>(const ChainCoefficients<Pair>& coefficients,
                                                      ChainStates<Pair>& states, const double* const* inputs,
                                                      double* const* outputs, int32_t frames,
                                                      const CallSettings& settings, double offset,
                                                      uint32_t& noiseSeed) {
    return runWideChain<Avx512Lanes>(coefficients, states, inputs, outputs, frames, settings, offset, noiseSeed);
}

}  // namespace dsp

#pragma GCC pop_options
#endif
