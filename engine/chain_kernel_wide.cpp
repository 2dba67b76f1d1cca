// One wide chain kernel, compiled once per instruction set: engine/CMakeLists.txt builds this
// file with QX71_WIDE_SET=512 (AVX-512F) and with QX71_WIDE_SET=2 (AVX2).
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
#if QX71_WIDE_SET == 512
#pragma GCC target("avx512f,no-fma")
#elif QX71_WIDE_SET == 2
#pragma GCC target("avx2,no-fma")
#else
#error "QX71_WIDE_SET must be 512 or 2"
#endif

namespace dsp {
namespace {
#if QX71_WIDE_SET == 512
#include "avx512_lanes.h"
#include "avx512_noise.h"
constexpr ChainKernelKind kKind = ChainKernelKind::avx512;
#else
#include "avx2_lanes.h"
#include "avx2_noise.h"
constexpr ChainKernelKind kKind = ChainKernelKind::avx2;
#endif
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
