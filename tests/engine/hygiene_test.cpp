// The engine's guards: non-finite input, subnormal decay, and designs at low sample rates.
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "response.h"
#include "state_hygiene.h"

using namespace dsp;  // the engine's names, unqualified in the tests

namespace {
void everyStateValue(const ChainStates<double>& states, const std::function<void(double)>& check) {
    const double* v = reinterpret_cast<const double*>(&states);
    for (size_t i = 0; i < sizeof(states) / sizeof(double); ++i) check(v[i]);
}

void fullChain(EngineRig& rig, bool analog = true) {
    rig.set(param::analog, analog ? 1.0f : 0.0f);
    rig.set(param::lfType, 1.0f);
    rig.set(param::lfFreq, 0.3f);
    rig.set(param::lfGain, 0.8f);
    rig.set(param::mfFreq, 0.5f);
    rig.set(param::mfGain, 0.2f);
    rig.set(param::hfMode, 1.0f);
    rig.set(param::hfFreq, 0.8f);
    rig.set(param::hfGain, 0.7f);
    rig.set(param::lowSlope, 1.0f);
    rig.set(param::highSlope, 1.0f);
    rig.set(param::lowPass, 0.6f);
    rig.set(param::highPass, 0.6f);
}
}  // namespace

TEST(NonFiniteInput, OneBadSampleDoesNotPoisonLaterBlocks) {
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        EngineRig poisoned, clean;
        // Without the Analog noise, so that a fresh engine draws nothing either.
        fullChain(poisoned, false);
        fullChain(clean, false);
        std::vector<double> l = noiseSignal(64, 1), r = noiseSignal(64, 2);
        l[10] = bad;
        poisoned.process(l, r);
        EXPECT_TRUE(std::isnan(l[20]));
        clean.sync();  // same call count, so the same offset sign next
        // The poisoned channel starts again from cleared states; the clean right channel
        // kept its history, so only the left channel is compared with a fresh start.
        std::vector<double> next = noiseSignal(256, 3), nextR = noiseSignal(256, 4);
        std::vector<double> expect = next, expectR = nextR;
        poisoned.process(next, nextR);
        for (double v : next) ASSERT_TRUE(std::isfinite(v));
        for (double v : nextR) ASSERT_TRUE(std::isfinite(v));
        clean.process(expect, expectR);
        EXPECT_EQ(next, expect);
    }
}

TEST(Subnormals, DecayEndsInExactZerosWithoutSubnormalStates) {
    EngineRig rig;
    // The sections without the offset: the low band and the high-pass.
    rig.set(param::muteHf, 1.0f);
    rig.set(param::muteMf, 1.0f);
    rig.set(param::lfMode, 1.0f);
    rig.set(param::lfFreq, 1.0f / 7.0f);
    rig.set(param::lfGain, 1.0f);
    rig.set(param::highSlope, 1.0f);
    rig.set(param::highPass, 0.2f);
    std::vector<float> loud(512), loudR(512);
    for (size_t i = 0; i < loud.size(); ++i) loud[i] = loudR[i] = static_cast<float>(std::sin(i * 0.05));
    rig.process(loud, loudR);
    bool sawSubnormal = false;
    for (int call = 0; call < 8000; ++call) {  // about 93 seconds of silence
        std::vector<float> l(512, 0.0f), r(512, 0.0f);
        rig.process(l, r);
        for (int ch = 0; ch < 2; ++ch) {
            everyStateValue(rig.states(ch),
                            [&](double v) { sawSubnormal = sawSubnormal || std::fpclassify(v) == FP_SUBNORMAL; });
        }
    }
    EXPECT_FALSE(sawSubnormal);
    everyStateValue(rig.states(0), [](double v) { EXPECT_EQ(v, 0.0); });
}

TEST(Subnormals, CleanupFlushesOnlyTinyNonZeroValues) {
    ChainStates<Pair> states;
    states.lfShelf.s = Pair(1e-199, -3e-201);
    states.lfMain.y1 = Pair(std::numeric_limits<double>::denorm_min(), 0.5);
    states.lfDip.x2 = Pair(-0.0, 1e-300);
    cleanStates(states);
    EXPECT_EQ(states.lfShelf.s.left(), 1e-199);
    EXPECT_EQ(states.lfShelf.s.right(), 0.0);
    EXPECT_EQ(states.lfMain.y1.left(), 0.0);
    EXPECT_EQ(states.lfMain.y1.right(), 0.5);
    EXPECT_TRUE(std::signbit(states.lfDip.x2.left()));
    EXPECT_EQ(states.lfDip.x2.right(), 0.0);
}

TEST(Stability, EverySettingAtEveryRate) {
    const double rates[] = {8000, 22050, 32000, 44100, 96000, 192000};
    const float gains[] = {0.0f, 0.5f, 1.0f};
    const float widths[] = {0.0f, 0.5f, 1.0f};
    for (double fs : rates) {
        SCOPED_TRACE(testing::Message() << fs << " Hz");
        for (int position = 1; position <= 7; ++position) {
            for (int variant = 0; variant < 4; ++variant) {  // shelf A, shelf B, bell A, bell B
                for (float gain : gains) {
                    for (float width : widths) {
                        EngineRig rig(fs);
                        const float mode = variant >= 2 ? 1.0f : 0.0f;
                        const float type = variant % 2 ? 1.0f : 0.0f;
                        for (int base : {param::hfFreq, param::lfFreq}) {
                            rig.set(base + 1, gain);
                            rig.set(base + 2, width);
                            rig.set(base + 3, type);
                            rig.set(base + 4, mode);
                            rig.set(base, position / 7.0f);
                        }
                        rig.set(param::mfGain, gain);
                        rig.set(param::mfBandwidth, width);
                        rig.set(param::mfType, type);
                        rig.set(param::mfFreq, position / 7.0f);
                        const ChainCoefficients<double> c = rig.engine.designedChain().coefficients;
                        for (const Biquad<double>* b : {&c.hfPeak, &c.mfPeak, &c.lfMain, &c.lfDip}) {
                            ASSERT_TRUE(isStable(*b)) << "position " << position << " variant " << variant;
                        }
                        for (const Shelf<double>* s : {&c.hfShelf, &c.lfShelf}) ASSERT_LT(std::fabs(s->c), 1.0);
                        std::vector<double> l = noiseSignal(2048, position, 1.0), r = noiseSignal(2048, 9, 1.0);
                        rig.process(l, r);
                        for (double v : l) ASSERT_TRUE(std::isfinite(v) && std::fabs(v) < 1e4);
                    }
                }
            }
        }
        for (int position = 1; position <= 5; ++position) {
            for (int slope = 0; slope <= 3; ++slope) {
                EngineRig rig(fs);
                rig.set(param::analog, 1.0f);
                rig.set(param::lowSlope, slope / 3.0f);
                rig.set(param::highSlope, slope / 3.0f);
                rig.set(param::lowPass, position * 0.2f);
                rig.set(param::highPass, position * 0.2f);
                const ChainCoefficients<double> c = rig.engine.designedChain().coefficients;
                for (const Biquad<double>* b : {&c.lpStage1, &c.lpStage2, &c.hpStage1, &c.hpStage2}) {
                    ASSERT_TRUE(isStable(*b));
                }
                for (const FirstOrder<double>* f : {&c.lpFirst, &c.hpFirst}) ASSERT_LT(std::fabs(f->a1), 1.0);
                ASSERT_LT(std::fabs(c.analogShelf.c), 1.0);
                std::vector<double> l = noiseSignal(2048, position, 1.0), r = noiseSignal(2048, 9, 1.0);
                rig.process(l, r);
                for (double v : l) ASSERT_TRUE(std::isfinite(v) && std::fabs(v) < 1e4);
            }
        }
    }
}

TEST(Stability, InvalidSampleRateIsIgnored) {
    EngineRig rig;
    rig.set(param::mfFreq, 0.5f);
    rig.set(param::mfGain, 0.9f);
    const DesignedChain before = rig.engine.designedChain();
    for (double bad : {0.0, -44100.0, std::numeric_limits<double>::quiet_NaN()}) {
        rig.engine.updateAllSections(bad);
        EXPECT_EQ(rig.engine.designedChain().coefficients.mfPeak.b0, before.coefficients.mfPeak.b0);
    }
}
