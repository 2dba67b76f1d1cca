#include <gtest/gtest.h>

#include "call_settings.h"
#include "engine_fixture.h"
#include "parameter_decoding.h"

using namespace dsp;  // the engine's names, unqualified in the tests

TEST(Decoding, BandPositionThresholds) {
    for (int k = 1; k <= 7; ++k) EXPECT_EQ(bandPosition(static_cast<float>(k) / 7.0f), k) << k;
    EXPECT_EQ(bandPosition(0.0f), 0);
    EXPECT_EQ(bandPosition(0.05f), 0);
    EXPECT_EQ(bandPosition(0.0709f), 0);
    EXPECT_EQ(bandPosition(0.071f), 1);
    EXPECT_EQ(bandPosition(0.2129f), 1);
    EXPECT_EQ(bandPosition(0.2131f), 2);
    EXPECT_EQ(bandPosition(0.9229f), 6);
    EXPECT_EQ(bandPosition(0.9231f), 7);
    EXPECT_EQ(bandPosition(1.0f), 7);
    EXPECT_EQ(bandPosition(1.07f), 0);  // past the last threshold: off
}

TEST(Decoding, PassPositionThresholds) {
    EXPECT_EQ(passPosition(0.0f), 0);
    EXPECT_EQ(passPosition(0.0999f), 0);
    EXPECT_EQ(passPosition(0.15f), 1);
    const float switchValues[] = {0.2f, 0.4f, 0.6f, 0.8f, 1.0f};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(passPosition(switchValues[i]), i + 1);
    EXPECT_EQ(passPosition(0.3001f), 2);
    EXPECT_EQ(passPosition(1.2f), 0);
}

TEST(Decoding, SlopePositionInSinglePrecision) {
    EXPECT_EQ(slopePosition(0.0f), 0);
    EXPECT_EQ(slopePosition(0.3333f), 0);
    EXPECT_EQ(slopePosition(1.0f / 3.0f), 1);
    EXPECT_EQ(slopePosition(2.0f / 3.0f), 2);
    EXPECT_EQ(slopePosition(1.0f), 3);
    EXPECT_EQ(slopePosition(0.33333334f), 1);  // a value equal to a threshold goes up
}

TEST(Decoding, GainLaws) {
    EXPECT_EQ(bandGainDb(0.0f), -18.0);
    EXPECT_EQ(bandGainDb(0.5f), 0.0);
    EXPECT_EQ(bandGainDb(1.0f), 18.0);
    EXPECT_EQ(bandGainDb(0.75f), 9.0);
    EXPECT_EQ(bandGainDb(0.1f), static_cast<double>(0.1f * 36.0f - 18.0f));
    EXPECT_EQ(outputGainDb(0.0f), -25.0);
    EXPECT_EQ(outputGainDb(0.5f), 0.0);
}

TEST(Decoding, CallSettingsSwitchesAndThresholds) {
    float x[param::count];
    std::copy(std::begin(kDefaultValues), std::end(kDefaultValues), x);
    CallSettings s = decodeCallSettings(x, false);
    EXPECT_EQ(s.outputGain, 1.0);
    EXPECT_EQ(s.polarity, 1.0);
    EXPECT_TRUE(s.highBand && s.midBand && s.lowBand);
    EXPECT_FALSE(s.highPass || s.lowPass || s.analog);

    x[param::phase] = 0.5f;
    x[param::analog] = 0.5f;
    x[param::muteHf] = 0.5f;
    x[param::highPass] = 0.19f;
    x[param::lowPass] = 0.15f;
    s = decodeCallSettings(x, true);
    EXPECT_EQ(s.polarity, 1.0);
    EXPECT_FALSE(s.analog);
    EXPECT_FALSE(s.highBand);
    EXPECT_FALSE(s.highPass);
    EXPECT_FALSE(s.lowPass);
    EXPECT_TRUE(s.mono);

    x[param::phase] = 0.51f;
    x[param::analog] = 0.51f;
    x[param::highPass] = 0.2f;
    x[param::lowPass] = 0.2f;
    x[param::muteLowPass] = 0.5f;
    s = decodeCallSettings(x, false);
    EXPECT_EQ(s.polarity, -1.0);
    EXPECT_TRUE(s.analog);
    EXPECT_TRUE(s.highPass);
    EXPECT_FALSE(s.lowPass);
}

// The table's positions (what front-ends show and send) are the positions the engine decodes:
// position i of every stepped selector, sent as i / steps, selects step i.
TEST(Decoding, TablePositionsAreTheDecodedPositions) {
    const struct {
        int index;
        int (*decode)(float);
    } selectors[] = {{param::hfFreq, bandPosition},    {param::mfFreq, bandPosition},
                     {param::lfFreq, bandPosition},    {param::lowPass, passPosition},
                     {param::highPass, passPosition},  {param::lowSlope, slopePosition},
                     {param::highSlope, slopePosition}};
    for (const auto& selector : selectors) {
        const param::Description& d = param::kTable[selector.index];
        ASSERT_TRUE(d.stepped()) << d.name;
        for (int i = 0; i <= d.steps; ++i) {
            const float sent = static_cast<float>(i) / static_cast<float>(d.steps);
            EXPECT_EQ(selector.decode(sent), i) << d.name << " position " << i << " (" << d.positions[i].label << ")";
        }
    }
    EXPECT_EQ(bandGainDb(0.0f), -param::kTable[param::hfGain].maximum);
    EXPECT_EQ(outputGainDb(1.0f), param::kTable[param::output].maximum);
}
