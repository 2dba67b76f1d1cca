// The AVX-512 kernel: the wide frame loop of wide_chain_run.h on the lane operations of
// avx512_lanes.h, compiled for AVX-512F.
#include "chain_kernel_wide.h"

#include "kernel_choice.h"

#if QX71_WIDE_KERNELS
// GCC 12 reports its own placeholder for undefined vector halves inside these headers as
// uninitialized.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop

#include <algorithm>
#include <array>
#include <utility>

#include "analog_noise.h"
#include "frame_io.h"
#include "noise_jumps.h"
#include "state_hygiene.h"

// Everything from here on is compiled for the wide instruction set, never with FMA: every
// result keeps the separate rounding of each multiply and add. The code lives in an anonymous
// namespace so that none of it stands in for the default-target code of other files.
#pragma GCC push_options
#pragma GCC target("avx512f,no-fma")

namespace dsp {
namespace {
#include "avx512_lanes.h"
#include "avx512_noise.h"
constexpr ChainKernelKind kKind = ChainKernelKind::avx512;
#include "wide_chain_run.h"
}  // namespace

template <>
double runWideKernel<kKind, float>(const ChainCoefficients<Pair>& coefficients, ChainStates<Pair>& states,
                                   const float* const* inputs, float* const* outputs, int32_t frames,
                                   const CallSettings& settings, double offset, uint32_t& noiseSeed) {
    return runWideChain(coefficients, states, inputs, outputs, frames, settings, offset, noiseSeed);
}
template <>
double runWideKernel<kKind, double>(const ChainCoefficients<Pair>& coefficients, ChainStates<Pair>& states,
                                    const double* const* inputs, double* const* outputs, int32_t frames,
                                    const CallSettings& settings, double offset, uint32_t& noiseSeed) {
    return runWideChain(coefficients, states, inputs, outputs, frames, settings, offset, noiseSeed);
}

}  // namespace dsp

#pragma GCC pop_options
#endif
