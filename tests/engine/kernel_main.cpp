// Test main of the engine programs: runs every test with one chain kernel, chosen with
// --kernel=sse2, --kernel=avx2 or --kernel=avx512 (default: the kernel the engine picks by itself). When the
// processor lacks the chosen kernel, every test is skipped.
#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

#include "kernel_choice.h"

using namespace dsp;  // the engine's names, unqualified in the tests

namespace {
struct KernelName {
    const char* name;
    ChainKernelKind kind;
};
constexpr KernelName kKernels[] = {
    {"sse2", ChainKernelKind::sse2}, {"avx2", ChainKernelKind::avx2}, {"avx512", ChainKernelKind::avx512}};

class KernelEnvironment : public testing::Environment {
public:
    explicit KernelEnvironment(const KernelName& kernel) : kernel_(kernel) {}
    void SetUp() override {
        if (!kernelSupported(kernel_.kind)) {
            // A skip here skips every test, yet GoogleTest reports them as passed and prints no
            // per-test marker; ctest recognises skips by the marker, so print it.
            std::printf("[  SKIPPED ] this processor cannot run the %s kernel\n", kernel_.name);
            GTEST_SKIP();
        }
        forceKernel(kernel_.kind);
    }
    void TearDown() override { stopForcingKernel(); }

private:
    KernelName kernel_;
};
}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--kernel=", 9) != 0) continue;
        const KernelName* chosen = nullptr;
        for (const KernelName& kernel : kKernels) {
            if (std::strcmp(argv[i] + 9, kernel.name) == 0) chosen = &kernel;
        }
        if (chosen == nullptr) {
            std::fprintf(stderr, "unknown kernel %s (sse2, avx2, avx512)\n", argv[i] + 9);
            return 2;
        }
        testing::AddGlobalTestEnvironment(new KernelEnvironment(*chosen));
    }
    return RUN_ALL_TESTS();
}
