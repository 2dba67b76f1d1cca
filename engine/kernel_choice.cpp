#include "kernel_choice.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace dsp {

namespace {
constexpr int kNotForced = -1;
std::atomic<int> forcedKernel{kNotForced};

struct KernelName {
    const char* name;
    ChainKernelKind kind;
};
constexpr KernelName kKernelNames[] = {{"portable", ChainKernelKind::portable},
                                       {"sse2", ChainKernelKind::sse2},
                                       {"avx2", ChainKernelKind::avx2},
                                       {"avx512", ChainKernelKind::avx512}};

// The kernel QX71_KERNEL asks for, or kNotForced.
int kernelFromEnvironment() {
    const char* value = std::getenv("QX71_KERNEL");
    if (value == nullptr || *value == '\0') return kNotForced;
    ChainKernelKind kind{};
    const char* complaint = !kernelNamed(value, kind) ? "not one of portable, sse2, avx2, avx512"
                            : !kernelSupported(kind)  ? "this processor or build cannot run that kernel"
                                                      : nullptr;
    if (complaint != nullptr) {
        std::fprintf(stderr, "QX71: QX71_KERNEL=%s ignored: %s\n", value, complaint);
        return kNotForced;
    }
    return static_cast<int>(kind);
}
// Read once, when the library loads (and before that if another loading object creates an
// engine first), so that every engine of the process runs the same kernel and the message
// appears once.
int environmentKernel() {
    static const int kernel = kernelFromEnvironment();
    return kernel;
}
[[maybe_unused]] const int readAtLoad = environmentKernel();
}  // namespace

bool kernelSupported(ChainKernelKind kind) {
    switch (kind) {
        case ChainKernelKind::portable:
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

bool kernelNamed(const char* name, ChainKernelKind& kind) {
    for (const KernelName& kernel : kKernelNames) {
        if (std::strcmp(name, kernel.name) == 0) {
            kind = kernel.kind;
            return true;
        }
    }
    return false;
}

const char* kernelName(ChainKernelKind kind) {
    for (const KernelName& kernel : kKernelNames) {
        if (kernel.kind == kind) return kernel.name;
    }
    return "?";
}

ChainKernelKind chosenKernel() {
    const int forced = forcedKernel.load(std::memory_order_relaxed);
    if (forced != kNotForced) return static_cast<ChainKernelKind>(forced);
    const int requested = environmentKernel();
    if (requested != kNotForced) return static_cast<ChainKernelKind>(requested);
    if (kernelSupported(ChainKernelKind::avx512)) return ChainKernelKind::avx512;
    return kernelSupported(ChainKernelKind::avx2) ? ChainKernelKind::avx2 : ChainKernelKind::sse2;
}

void forceKernel(ChainKernelKind kind) { forcedKernel.store(static_cast<int>(kind), std::memory_order_relaxed); }

void stopForcingKernel() { forcedKernel.store(kNotForced, std::memory_order_relaxed); }

}  // namespace dsp
