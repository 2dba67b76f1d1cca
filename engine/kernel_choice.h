// Which frame loop runs the chain. Every kernel gives bit-identical results; the wider ones
// work on several sections per instruction.
#pragma once

// The wide kernels are built for x86-64 Linux with GCC only. MinGW-w64 GCC misaligns the
// 32- and 64-byte stack spills of AVX registers on Windows (a crash), so Windows builds, like
// every other target, keep the SSE2 kernel.
#if defined(__x86_64__) && defined(__linux__) && defined(__GNUC__) && !defined(__clang__)
#define QX71_WIDE_KERNELS 1
#else
#define QX71_WIDE_KERNELS 0
#endif

namespace dsp {

enum class ChainKernelKind { sse2, avx2, avx512 };

bool kernelSupported(ChainKernelKind kind);

// The kernel for a new engine: the one forced for tests, else the widest this processor runs.
ChainKernelKind chosenKernel();

// Tests: engines created from now on use `kind` (which must be supported), until
// stopForcingKernel().
void forceKernel(ChainKernelKind kind);
void stopForcingKernel();

}  // namespace dsp
