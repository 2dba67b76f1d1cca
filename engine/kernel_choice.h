// Which frame loop runs the chain. Every kernel gives bit-identical results; the wider ones
// work on several sections per instruction.
#pragma once

// The wide kernels are built for x86-64 Linux and Windows with GCC.
//
// On Windows, MinGW-w64 GCC cannot realign the stack (its unwind data has no way to describe
// it), so the 32- and 64-byte spills of wide registers may land on addresses aligned to 16
// bytes only. With the VEX and EVEX encodings only the explicitly aligned moves (vmovapd,
// vmovdqa64, ...) fault on such addresses; the wide kernel's objects are assembled with
// -muse-unaligned-vector-move (engine/CMakeLists.txt), which encodes each of them as its
// unaligned twin: the same result, no fault, and no cost where the address is aligned. The
// test engine.wide_objects_have_no_aligned_moves checks the object code, and the engine tests
// run every kernel under Wine. 32-bit targets and other compilers keep the SSE2 kernel.
#if defined(__x86_64__) && (defined(__linux__) || defined(_WIN32)) && defined(__GNUC__) && !defined(__clang__)
#define QX71_WIDE_KERNELS 1
#else
#define QX71_WIDE_KERNELS 0
#endif

namespace dsp {

// portable: the plain chain of portable_chain.h, one frame through every section before the
// next (the definition the others match). sse2: the SSE2 pipeline of chain_kernel.cpp, one stage per register. avx2:
// the same pipeline with two stages per register in the stretches where every stage has a frame
// (chain_stretch_avx2.cpp). avx512: the wide kernel of chain_kernel_wide.cpp, four sections
// per register.
enum class ChainKernelKind { portable, sse2, avx2, avx512 };

bool kernelSupported(ChainKernelKind kind);

// The kernels' names: portable, sse2, avx2, avx512. kernelNamed sets `kind` and returns true for one.
bool kernelNamed(const char* name, ChainKernelKind& kind);
const char* kernelName(ChainKernelKind kind);

// The kernel for a new engine: the one forced for tests, else the one the environment variable
// QX71_KERNEL names (read once, when the library loads; an unusable value is ignored with one
// line on standard error), else AVX-512 where the processor has it, else AVX2 where it has
// that, else SSE2.
ChainKernelKind chosenKernel();

// Tests: engines created from now on use `kind` (which must be supported), until
// stopForcingKernel().
void forceKernel(ChainKernelKind kind);
void stopForcingKernel();

}  // namespace dsp
