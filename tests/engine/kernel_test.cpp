// The choice of chain kernel, and the kernels against each other: outputs, every section's
// states (also of sections that stopped running) and the noise generator, bit for bit.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "kernel_choice.h"

using namespace dsp;  // the engine's names, unqualified in the tests

namespace {
std::unique_ptr<EngineRig> rigWith(ChainKernelKind kind) {
    const ChainKernelKind previous = chosenKernel();
    forceKernel(kind);
    auto rig = std::make_unique<EngineRig>();
    forceKernel(previous);
    return rig;
}
}  // namespace

// QX71_KERNEL is set for this program by the engine.kernel_switch.* tests only.
TEST(KernelChoice, EnvironmentElseWidestSupportedUnlessForced) {
    EXPECT_TRUE(kernelSupported(ChainKernelKind::sse2));
    const char* requested = std::getenv("QX71_KERNEL");
    ChainKernelKind named{};
    const bool usable = requested != nullptr && kernelNamed(requested, named) && kernelSupported(named);
    const ChainKernelKind previous = chosenKernel();
    stopForcingKernel();
    EXPECT_EQ(chosenKernel(), usable                                     ? named
                              : kernelSupported(ChainKernelKind::avx512) ? ChainKernelKind::avx512
                                                                         : ChainKernelKind::sse2);
    forceKernel(ChainKernelKind::sse2);
    EXPECT_EQ(chosenKernel(), ChainKernelKind::sse2);
    forceKernel(previous);
}

// The kernel the test program runs with (kernel_main.cpp) against the SSE2 one.
TEST(KernelChoice, MatchesSse2StateForState) {
    const ChainKernelKind kernel = chosenKernel();
    if (kernel == ChainKernelKind::sse2) GTEST_SKIP() << "this is the SSE2 kernel";
    std::mt19937 random(11);
    for (int trial = 0; trial < 12; ++trial) {
        SCOPED_TRACE(testing::Message() << "trial " << trial);
        auto narrow = rigWith(ChainKernelKind::sse2);
        auto wide = rigWith(kernel);
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
            std::atomic<double> narrowPeak{0.0}, widePeak{0.0};
            narrow->process(l, r, mono, &narrowPeak);
            wide->process(wl, wr, mono, &widePeak);
            ASSERT_EQ(narrowPeak.load(), widePeak.load()) << "block " << block;
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

TEST(KernelChoice, PeakLevelIgnoresANotANumberFrame) {
    const ChainKernelKind kernel = chosenKernel();
    if (kernel == ChainKernelKind::sse2) GTEST_SKIP() << "this is the SSE2 kernel";
    for (const bool mono : {false, true}) {
        std::atomic<double> peaks[2] = {{0.0}, {0.0}};
        std::vector<float> outputs[2];
        for (int k = 0; k < 2; ++k) {
            auto rig = rigWith(k == 0 ? ChainKernelKind::sse2 : kernel);
            rig->set(param::mfFreq, 0.5f);
            rig->set(param::mfGain, 0.9f);
            std::vector<double> source = noiseSignal(100, 21, 0.8);
            std::vector<float> l(source.begin(), source.end()), r(l.rbegin(), l.rend());
            l[99] = std::numeric_limits<float>::quiet_NaN();  // the last frame: nothing after it
            rig->process(l, r, mono, &peaks[k]);
            outputs[k] = l;
        }
        EXPECT_GT(peaks[0].load(), 0.1);
        EXPECT_EQ(peaks[0].load(), peaks[1].load()) << (mono ? "mono" : "stereo");
        EXPECT_EQ(std::memcmp(outputs[0].data(), outputs[1].data(), 99 * sizeof(float)), 0);
        EXPECT_TRUE(std::isnan(outputs[1][99]));
    }
}
