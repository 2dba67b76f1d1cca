#include "kernel_choice.h"

#include <atomic>

namespace dsp {

namespace {
constexpr int kNotForced = -1;
std::atomic<int> forcedKernel{kNotForced};
}  // namespace

bool kernelSupported(ChainKernelKind kind) {
    switch (kind) {
        case ChainKernelKind::sse2: return true;
#if QX71_WIDE_KERNELS
        case ChainKernelKind::avx2: return __builtin_cpu_supports("avx2");
        case ChainKernelKind::avx512: return __builtin_cpu_supports("avx512f");
#else
        case ChainKernelKind::avx2:
        case ChainKernelKind::avx512: return false;
#endif
    }
    return false;
}

ChainKernelKind chosenKernel() {
    const int forced = forcedKernel.load(std::memory_order_relaxed);
    if (forced != kNotForced) return static_cast<ChainKernelKind>(forced);
    return kernelSupported(ChainKernelKind::avx512) ? ChainKernelKind::avx512 : ChainKernelKind::sse2;
}

void forceKernel(ChainKernelKind kind) { forcedKernel.store(static_cast<int>(kind), std::memory_order_relaxed); }

void stopForcingKernel() { forcedKernel.store(kNotForced, std::memory_order_relaxed); }

}  // namespace dsp
