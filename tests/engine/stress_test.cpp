// Two threads automate parameters, recall whole chunks and change the sample rate at random
// while a third processes audio (and sometimes automates, as hosts do during playback).
// Built with -DQX71_TSAN=ON, ThreadSanitizer reports any data race; in every build the test
// checks that the audio stays finite and that the last change reaches the audio path on the
// next call.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "engine_fixture.h"

using namespace dsp;  // the engine's names, unqualified in the tests

namespace {
constexpr auto kDuration = std::chrono::seconds(3);

void store(EngineRig& rig, int index, float value) { rig.values[index].store(value); }

long automate(EngineRig& rig, std::atomic<bool>& stop, unsigned seed) {
    long changes = 0;
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> any(0.0f, 1.0f);
    const double rates[] = {22050, 44100, 48000, 96000, 192000};
    for (; !stop.load(); ++changes) {
        const int action = random() % 100;
        if (action < 2) {
            rig.engine.updateAllSections(rates[random() % 5]);
        } else if (action < 6) {
            for (int i = 0; i < param::count; ++i) store(rig, i, any(random));  // a chunk
            for (int i = 0; i < param::count; ++i) rig.engine.parameterChanged(i);
        } else {
            const int index = random() % param::count;
            store(rig, index, index >= param::muteHf ? 0.0f : any(random));
            rig.engine.parameterChanged(index);
        }
    }
    return changes;
}
}  // namespace

TEST(Stress, ConcurrentDesignsAndProcessing) {
    EngineRig rig;
    std::atomic<bool> stop{false};
    std::atomic<double> peak{0.0};
    long changes[2] = {};
    std::thread first([&] { changes[0] = automate(rig, stop, 1u); });
    std::thread second([&] { changes[1] = automate(rig, stop, 2u); });

    std::mt19937 random(3);
    std::vector<float> fl(512), fr(512);
    std::vector<double> dl(512), dr(512);
    long calls = 0;
    bool finite = true;
    const auto end = std::chrono::steady_clock::now() + kDuration;
    while (std::chrono::steady_clock::now() < end) {
        const int32_t frames = 1 + static_cast<int32_t>(random() % 512);
        const std::vector<double> input = noiseSignal(frames, static_cast<unsigned>(calls), 0.5);
        if (calls % 2 == 0) {
            for (int32_t n = 0; n < frames; ++n) fl[n] = fr[n] = static_cast<float>(input[n]);
            float* io[2] = {fl.data(), fr.data()};
            rig.engine.processReplacing(io, io, frames, calls % 7 == 0, &peak);
            for (int32_t n = 0; n < frames; ++n) finite = finite && std::isfinite(fl[n]);
        } else {
            for (int32_t n = 0; n < frames; ++n) dl[n] = dr[n] = input[n];
            double* io[2] = {dl.data(), dr.data()};
            rig.engine.processDoubleReplacing(io, io, frames, false, &peak);
            for (int32_t n = 0; n < frames; ++n) finite = finite && std::isfinite(dl[n]);
        }
        if (calls % 50 == 0) {  // automation played back on the audio thread
            const int index = random() % param::muteHf;
            store(rig, index, static_cast<float>(random() % 8) / 7.0f);
            rig.engine.parameterChanged(index);
        }
        ++calls;
    }
    stop.store(true);
    first.join();
    second.join();

    EXPECT_TRUE(finite);
    EXPECT_GT(calls, 100);
    EXPECT_GT(changes[0], 100);
    EXPECT_GT(changes[1], 100);
    std::printf("%ld processing calls, %ld + %ld parameter changes\n", calls, changes[0], changes[1]);
    EXPECT_GT(peak.load(), 0.0);
    // After the dust settles, the audio path runs exactly the newest design.
    rig.sync();
    const DesignedChain designed = rig.engine.designedChain();
    const ChainCoefficients<double> active = rig.coefficients();
    EXPECT_EQ(std::memcmp(&active, &designed.coefficients, sizeof active), 0);
}
