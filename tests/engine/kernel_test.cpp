// The choice of chain kernel, and the kernels against each other: outputs, every section's
// states (also of sections that stopped running) and the noise generator, bit for bit.
#include <cstring>
#include <memory>

#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "kernel_choice.h"

namespace {
std::unique_ptr<EngineRig> rigWith(ChainKernelKind kind) {
    const ChainKernelKind previous = chosenKernel();
    forceKernel(kind);
    auto rig = std::make_unique<EngineRig>();
    forceKernel(previous);
    return rig;
}
}  // namespace

TEST(KernelChoice, WidestSupportedUnlessForced) {
    EXPECT_TRUE(kernelSupported(ChainKernelKind::sse2));
    const ChainKernelKind previous = chosenKernel();
    stopForcingKernel();
    EXPECT_EQ(chosenKernel(), kernelSupported(ChainKernelKind::avx512) ? ChainKernelKind::avx512
                                                                       : ChainKernelKind::sse2);
    forceKernel(ChainKernelKind::sse2);
    EXPECT_EQ(chosenKernel(), ChainKernelKind::sse2);
    forceKernel(previous);
}

TEST(KernelChoice, Avx512MatchesSse2StateForState) {
    if (!kernelSupported(ChainKernelKind::avx512)) GTEST_SKIP() << "no AVX-512 on this processor";
    std::mt19937 random(11);
    for (int trial = 0; trial < 12; ++trial) {
        SCOPED_TRACE(testing::Message() << "trial " << trial);
        auto narrow = rigWith(ChainKernelKind::sse2);
        auto wide = rigWith(ChainKernelKind::avx512);
        narrow->engine.setNoiseSeed(trial * 131u);
        wide->engine.setNoiseSeed(trial * 131u);
        // New settings between blocks: sections stop and start running with states kept.
        for (int block = 0; block < 8; ++block) {
            std::mt19937 settings(random());
            randomise(*narrow, settings);
            for (int i = 0; i < param::count; ++i) wide->set(i, narrow->values[i].load());
            const size_t frames = 1 + random() % 600;
            std::vector<double> l = noiseSignal(frames, trial * 8 + block), r = noiseSignal(frames, block + 100);
            std::vector<double> wl = l, wr = r;
            const bool mono = block % 3 == 0;
            narrow->process(l, r, mono);
            wide->process(wl, wr, mono);
            ASSERT_EQ(std::memcmp(l.data(), wl.data(), frames * sizeof(double)), 0) << "block " << block;
            ASSERT_EQ(std::memcmp(r.data(), wr.data(), frames * sizeof(double)), 0) << "block " << block;
            for (int channel = 0; channel < 2; ++channel) {
                const ChainStates<double> a = narrow->states(channel), b = wide->states(channel);
                ASSERT_EQ(std::memcmp(&a, &b, sizeof a), 0) << "block " << block << " channel " << channel;
            }
            ASSERT_EQ(narrow->engine.noiseSeed(), wide->engine.noiseSeed());
        }
    }
}
