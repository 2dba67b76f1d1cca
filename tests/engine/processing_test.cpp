#include <cstring>
#include <iterator>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "reference_chain.h"
#include "response.h"

using namespace dsp;  // the engine's names, unqualified in the tests

namespace {
std::vector<float> toFloat(const std::vector<double>& v) { return std::vector<float>(v.begin(), v.end()); }

void muteEverything(EngineRig& rig) {
    for (int i = param::muteHf; i <= param::muteHighPass; ++i) rig.set(i, 1.0f);
}

// Runs the reference over the same blocks the engine gets (the offset flips per call).
struct ReferenceRun {
    ReferenceChain chain;
    double offset = 1e-15;
    void block(const EngineRig& rig, std::vector<double>& l, std::vector<double>& r, bool mono) {
        float x[param::count];
        for (int i = 0; i < param::count; ++i) x[i] = rig.values[i].load();
        const CallSettings s = decodeCallSettings(x, mono);
        offset = -offset;
        for (size_t n = 0; n < l.size(); ++n) chain.frame(s, offset, l[n], r[n]);
    }
};
}  // namespace

TEST(Processing, MutedChainReturnsFloatInputBitForBit) {
    EngineRig rig;
    muteEverything(rig);
    std::vector<float> left, right;
    for (float v : {0.0f, -0.0f, 1.0f, -1.0f, 1e-40f, -1.4e-45f, std::numeric_limits<float>::min(), 3.0e38f, -7.5f,
                    0.123456789f, std::numeric_limits<float>::denorm_min()}) {
        left.push_back(v);
        right.push_back(-v * 0.5f);
    }
    std::vector<float> inL = left, inR = right;
    std::vector<float> outL(left.size()), outR(left.size());
    float* in[2] = {inL.data(), inR.data()};
    float* out[2] = {outL.data(), outR.data()};
    rig.processInto(in, out, static_cast<int32_t>(left.size()), false, nullptr);
    EXPECT_EQ(std::memcmp(outL.data(), left.data(), left.size() * 4), 0);
    EXPECT_EQ(std::memcmp(outR.data(), right.data(), right.size() * 4), 0);
    rig.process(inL, inR);  // in place
    EXPECT_EQ(std::memcmp(inL.data(), left.data(), left.size() * 4), 0);
    EXPECT_EQ(std::memcmp(inR.data(), right.data(), right.size() * 4), 0);
}

TEST(Processing, OutputGainAndPolarity) {
    const struct {
        float output, phase;
        const char* gain;
        double sign;
    } cases[] = {{0.0f, 0.0f, "0.0562341", 1}, {0.5f, 0.5f, "1", 1}, {1.0f, 0.51f, "17.7828", -1}};
    for (const auto& c : cases) {
        EngineRig rig;
        muteEverything(rig);
        rig.set(param::output, c.output);
        rig.set(param::phase, c.phase);
        std::vector<double> l = {1.0, 0.25}, r = {-1.0, 0.5};
        rig.process(l, r);
        EXPECT_TRUE(matchesPrinted(c.sign * l[0], c.gain));
        EXPECT_EQ(r[0], -l[0]);
        EXPECT_EQ(l[1], 0.25 * l[0]);
    }
    EngineRig unity;
    muteEverything(unity);
    std::vector<double> l = {0.3}, r = {0.7};
    unity.process(l, r);
    EXPECT_EQ(l[0], 0.3);
    EXPECT_EQ(r[0], 0.7);
}

TEST(Processing, MatchesTheScalarReferenceInBothPrecisions) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 60; ++trial) {
        const double rate = trial % 3 == 0 ? 96000.0 : 44100.0;
        EngineRig doubles(rate), floats(rate);
        randomise(doubles, random);
        for (int i = 0; i < param::count; ++i) floats.set(i, doubles.values[i].load());
        doubles.engine.setNoiseSeed(trial * 977u);
        floats.engine.setNoiseSeed(trial * 977u);
        doubles.sync();
        floats.sync();
        ReferenceRun reference;
        reference.chain.c = doubles.coefficients();
        reference.chain.seed = trial * 977u;
        reference.offset = -1e-15;  // the sync call flipped the engine's offset once
        const bool mono = trial % 5 == 0;
        // Block sizes below and above the pipeline depth, and across clean-up intervals.
        for (size_t blockSize : {1, 3, 17, 64, 300, 700}) {
            const std::vector<double> l = noiseSignal(blockSize, trial * 31 + blockSize, 0.9);
            const std::vector<double> r = noiseSignal(blockSize, trial * 37 + blockSize, 0.9);
            std::vector<float> fl = toFloat(l), fr = toFloat(r);
            std::vector<double> wantL(fl.begin(), fl.end()), wantR(fr.begin(), fr.end());
            reference.block(doubles, wantL, wantR, mono);
            std::vector<double> gotL(fl.begin(), fl.end()), gotR(fr.begin(), fr.end());
            doubles.process(gotL, gotR, mono);
            floats.process(fl, fr, mono);
            ASSERT_EQ(std::memcmp(gotL.data(), wantL.data(), blockSize * 8), 0) << "trial " << trial;
            ASSERT_EQ(std::memcmp(gotR.data(), wantR.data(), blockSize * 8), 0) << "trial " << trial;
            for (size_t n = 0; n < blockSize; ++n) {
                ASSERT_EQ(fl[n], static_cast<float>(wantL[n]));
                ASSERT_EQ(fr[n], static_cast<float>(wantR[n]));
            }
        }
        EXPECT_EQ(doubles.engine.noiseSeed(), reference.chain.seed);
    }
}

// Every set of running parts (Analog, the three bands, the two pass filters) has a frame loop
// of its own, which skips the others: each must match the reference, also when the mutes
// change between calls and stopped sections keep their states.
TEST(Processing, EverySetOfRunningPartsMatchesTheReference) {
    std::mt19937 random(5);
    constexpr int kMutes[] = {param::muteLf, param::muteMf, param::muteHf, param::muteHighPass, param::muteLowPass};
    for (unsigned parts = 0; parts < 64; ++parts) {
        EngineRig rig;
        randomise(rig, random);
        rig.set(param::analog, parts & 1 ? 1.0f : 0.0f);
        rig.set(param::highPass, 0.4f);
        rig.set(param::lowPass, 0.6f);
        rig.engine.setNoiseSeed(parts);
        rig.sync();
        ReferenceRun reference;
        reference.chain.c = rig.coefficients();
        reference.chain.seed = parts;
        reference.offset = -1e-15;
        // Then the complementary mutes (Analog stays), then the first ones again.
        for (unsigned running : {parts, ~parts, parts}) {
            for (int m = 0; m < 5; ++m) rig.set(kMutes[m], running & (2u << m) ? 0.0f : 1.0f);
            const size_t frames = 1 + random() % 300;
            std::vector<double> l = noiseSignal(frames, parts, 0.9), r = noiseSignal(frames, parts + 64, 0.9);
            std::vector<double> wantL = l, wantR = r;
            reference.block(rig, wantL, wantR, false);
            rig.process(l, r);
            SCOPED_TRACE(testing::Message() << "parts " << parts << " running " << (running & 63));
            ASSERT_EQ(std::memcmp(l.data(), wantL.data(), frames * sizeof(double)), 0);
            ASSERT_EQ(std::memcmp(r.data(), wantR.data(), frames * sizeof(double)), 0);
            for (int channel = 0; channel < 2; ++channel) {
                const ChainStates<double> got = rig.states(channel);
                ASSERT_EQ(std::memcmp(&got, &reference.chain.s[channel], sizeof got), 0) << "channel " << channel;
            }
            ASSERT_EQ(rig.engine.noiseSeed(), reference.chain.seed);
        }
    }
}

// Bands that are off pass as the identity without computing it, but keep its history: turned
// on, they continue from it as the reference does. Alone (nothing computes), and beside
// sections that compute (the wide kernel then skips whole groups).
TEST(Processing, BandsTurnedOnContinueFromTheirHistoryWhileOff) {
    using Settings = std::vector<std::pair<int, float>>;
    const Settings contexts[] = {{},
                                 {{param::highPass, 0.5f}},
                                 {{param::analog, 0.5f}},
                                 // Four computing stages: the AVX-512 kernel's own loop runs.
                                 {{param::highPass, 0.5f}, {param::highSlope, 1.0f}, {param::lowPass, 0.5f},
                                  {param::lowSlope, 1.0f}}};
    for (size_t context = 0; context < std::size(contexts); ++context) {
        for (const size_t frames : {1, 2, 7, 300}) {
            SCOPED_TRACE(testing::Message() << "context " << context << ", frames " << frames);
            EngineRig rig;
            for (const auto& [index, value] : contexts[context]) rig.set(index, value);
            rig.sync();
            ReferenceRun reference;
            reference.chain.c = rig.coefficients();
            reference.offset = -1e-15;
            for (int block = 0; block < 2; ++block) {
                std::vector<double> l = noiseSignal(frames, block), r = noiseSignal(frames, block + 7);
                std::vector<double> wantL = l, wantR = r;
                reference.block(rig, wantL, wantR, false);
                rig.process(l, r);
                ASSERT_EQ(std::memcmp(l.data(), wantL.data(), frames * sizeof(double)), 0) << "block " << block;
                ASSERT_EQ(std::memcmp(r.data(), wantR.data(), frames * sizeof(double)), 0) << "block " << block;
                for (int channel = 0; channel < 2; ++channel) {
                    const ChainStates<double> got = rig.states(channel);
                    ASSERT_EQ(std::memcmp(&got, &reference.chain.s[channel], sizeof got), 0) << "block " << block;
                }
                for (const auto& [index, value] : {std::pair{param::lfFreq, 0.3f},
                                                   {param::lfGain, 0.8f},
                                                   {param::mfFreq, 0.5f},
                                                   {param::mfGain, 0.2f},
                                                   {param::hfFreq, 0.6f},
                                                   {param::hfGain, 0.7f}}) {
                    rig.set(index, value);
                }
                rig.sync();
                reference.offset = -reference.offset;  // the sync call flipped the engine's offset
                reference.chain.c = rig.coefficients();
                // The designs cleared the states of sections they reset; the others matched above.
                for (int channel = 0; channel < 2; ++channel) reference.chain.s[channel] = rig.states(channel);
            }
        }
    }
}

TEST(Processing, VeryLongCallsMatchTheReference) {
    EngineRig rig;
    rig.set(param::lfFreq, 0.3f);
    rig.set(param::lfGain, 0.8f);
    rig.set(param::analog, 1.0f);
    rig.set(param::lowPass, 0.4f);
    ReferenceRun reference;
    reference.chain.c = rig.engine.designedChain().coefficients;
    const size_t frames = (1u << 20) + 37;  // more than one internal run
    std::vector<double> l = noiseSignal(frames, 11), r = noiseSignal(frames, 12);
    std::vector<double> wantL = l, wantR = r;
    reference.block(rig, wantL, wantR, false);
    rig.process(l, r);
    EXPECT_EQ(l, wantL);
    EXPECT_EQ(r, wantR);
}

TEST(Processing, MonoCopiesLeftAndStillReadsRight) {
    EngineRig rig;
    rig.set(param::mfFreq, 0.5f);
    rig.set(param::mfGain, 0.9f);
    std::vector<double> l = noiseSignal(100, 5), r = noiseSignal(100, 6);
    std::vector<double> leftOnly = l, silent(100, 0.0);
    EngineRig stereo;
    stereo.set(param::mfFreq, 0.5f);
    stereo.set(param::mfGain, 0.9f);
    stereo.process(leftOnly, silent);
    rig.process(l, r, true);
    EXPECT_EQ(l, r);
    EXPECT_EQ(l, leftOnly);
    EXPECT_NE(rig.states(1).mfPeak.x1, 0.0);  // the right channel ran on its own input
}

TEST(Processing, PeakLevelRaisedToTheLargestFrame) {
    EngineRig rig;
    muteEverything(rig);
    rig.set(param::phase, 1.0f);
    std::atomic<double> peak{0.0};
    std::vector<double> l = {0.2, -0.8, 0.1}, r = {0.4, 0.2, 0.0};
    rig.process(l, r, false, &peak);
    EXPECT_EQ(peak.load(), 0.5);  // (0.8 + 0.2) / 2, before the polarity
    std::vector<double> quiet = {0.1}, quietR = {0.1};
    rig.process(quiet, quietR, false, &peak);
    EXPECT_EQ(peak.load(), 0.5);  // never lowered
    std::vector<double> monoL = {0.9}, monoR = {0.0};
    rig.process(monoL, monoR, true, &peak);
    EXPECT_EQ(peak.load(), 0.9);
}

TEST(Processing, OffsetIsTheWholeEffectOfATransparentChain) {
    EngineRig rig;
    std::vector<double> l = {0.25, 0.5}, r = {0.0, -0.5};
    rig.process(l, r);  // first call: d = −1e-15, three times per sample
    EXPECT_EQ(l[0], ((0.25 - 1e-15) - 1e-15) - 1e-15);
    std::vector<double> l2 = {0.25}, r2 = {0.0};
    rig.process(l2, r2);
    EXPECT_EQ(l2[0], ((0.25 + 1e-15) + 1e-15) + 1e-15);
    EXPECT_EQ(r2[0], ((0.0 + 1e-15) + 1e-15) + 1e-15);
}

TEST(Processing, AnalogNoiseOnSilence) {
    EngineRig rig;
    muteEverything(rig);
    rig.set(param::analog, 0.5f);
    std::vector<double> l(4, 0.0), r(4, 0.0);
    rig.process(l, r);
    EXPECT_EQ(l, std::vector<double>(4, 0.0));
    EXPECT_EQ(rig.engine.noiseSeed(), 0u);  // frozen while off

    rig.set(param::analog, 1.0f);
    rig.process(l, r);
    const Shelf<double> shelf = rig.engine.designedChain().coefficients.analogShelf;
    const double noise = -2.8867519e-06;
    const double firstLeft = (noise - shelf.c * noise) * shelf.k + noise;
    EXPECT_NEAR(l[0], firstLeft, 1e-12);
    EXPECT_NE(r[0], 0.0);
    EXPECT_LT(std::fabs(l[1]), 6e-6);
    uint32_t seed = 0;
    for (int i = 0; i < 8; ++i) nextAnalogNoise(seed);
    EXPECT_EQ(rig.engine.noiseSeed(), seed);  // two draws per frame
}

TEST(Processing, PassFilterRunsFromPointTwo) {
    EngineRig rig;
    muteEverything(rig);
    rig.set(param::muteHighPass, 0.0f);
    rig.set(param::highPass, 0.19f);  // designs position 1, does not run
    std::vector<double> l(10, 1.0), r(10, 1.0);
    rig.process(l, r);
    EXPECT_EQ(l, std::vector<double>(10, 1.0));
    rig.set(param::highPass, 0.2f);
    rig.process(l, r);
    EXPECT_LT(l[9], 1.0);
}
