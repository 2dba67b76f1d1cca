// Test main of the engine programs: runs every test with one chain kernel, chosen with
// --kernel=portable, sse2, avx2 or avx512 (default: the kernel the engine picks by itself).
// When the processor lacks the chosen kernel, every test is skipped.
#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

#include "kernel_choice.h"

using namespace dsp;  // the engine's names, unqualified in the tests

namespace {
class KernelEnvironment : public testing::Environment {
public:
    explicit KernelEnvironment(ChainKernelKind kernel) : kernel_(kernel) {}
    void SetUp() override {
        if (!kernelSupported(kernel_)) {
            // A skip here skips every test, yet GoogleTest reports them as passed and prints no
            // per-test marker; ctest recognises skips by the marker, so print it.
            std::printf("[  SKIPPED ] this processor cannot run the %s kernel\n", kernelName(kernel_));
            GTEST_SKIP();
        }
        forceKernel(kernel_);
    }
    void TearDown() override { stopForcingKernel(); }

private:
    ChainKernelKind kernel_;
};
}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--kernel=", 9) != 0) continue;
        ChainKernelKind chosen{};
        if (!kernelNamed(argv[i] + 9, chosen)) {
            std::fprintf(stderr, "unknown kernel %s (portable, sse2, avx2, avx512)\n", argv[i] + 9);
            return 2;
        }
        testing::AddGlobalTestEnvironment(new KernelEnvironment(chosen));
    }
    return RUN_ALL_TESTS();
}
