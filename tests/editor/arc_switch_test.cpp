// The click rings' angle law and sector tables, and where a click lands in the layout.
#include "editor_fixture.h"

#include "click_rings.h"
#include "parameter_table.h"

using namespace gui;  // the editor's names, unqualified in the tests

using namespace VSTGUI;

namespace editor_test {
namespace {

int band(float angle) { return arc::bandPosition(angle, 15.0f, 30.0f, 8); }

TEST(ArcAngles, ZeroIsStraightDownGrowingClockwise) {
    EXPECT_FLOAT_EQ(arc::pressAngle(0, 50, 60.0f), 0.0f);
    EXPECT_FLOAT_EQ(arc::pressAngle(-50, 0, 60.0f), 90.0f);
    EXPECT_FLOAT_EQ(arc::pressAngle(0, -50, 60.0f), 180.0f);
    EXPECT_FLOAT_EQ(arc::pressAngle(50, 0, 60.0f), 270.0f);
}

TEST(ArcAngles, BandPositionsAndTheirBoundaries) {
    EXPECT_EQ(band(0.0f), 0);
    EXPECT_EQ(band(44.9f), 0);
    EXPECT_EQ(band(45.0f), 1);  // a boundary belongs to the higher position
    const int expected[] = {1, 2, 3, 4, 5, 6};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(band(60.0f + 30.0f * k), expected[k]) << k;
    EXPECT_EQ(band(224.9f), 6);
    EXPECT_EQ(band(225.0f), 7);
    EXPECT_EQ(band(359.9f), 7);
    EXPECT_EQ(band(arc::pressAngle(0, -50, 60.0f)), 5);  // straight above
}

TEST(ArcAngles, FilterSectors) {
    EXPECT_EQ(arc::filterSector(0.0f), 0);
    EXPECT_EQ(arc::filterSector(14.9f), 0);
    EXPECT_EQ(arc::filterSector(15.0f), 1);
    EXPECT_EQ(arc::filterSector(345.0f), 11);
    EXPECT_EQ(arc::filterSector(345.5f), 0);  // just left of straight down
    for (int g = 0; g < 12; ++g) EXPECT_EQ(arc::filterSector(30.0f * g), g) << g;
}

class RingClickTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        openEditor();
    }
};

TEST_F(RingClickTest, ClickOnTheBandRingSetsThePositionUnderThePointer) {
    click(25, 80);  // 9 o'clock of the high band ring: the 2.2 kHz legend
    EXPECT_FLOAT_EQ(parameter(param::hfFreq), 2.0f / 7.0f);
    EXPECT_FLOAT_EQ(views().control<SelectorKnob>(param::hfFreq)->getValue(), 2.0f / 7.0f);
    EXPECT_EQ(views().control<SelectorKnob>(param::hfFreq)->frameOffsetForValue(), 2 * 80);  // the third frame
    // The ring writes the parameter directly: no gesture, no automation.
    EXPECT_TRUE(hostCalls().empty());
    click(52, 128);  // half past seven, beside the mode button: OFF
    EXPECT_FLOAT_EQ(parameter(param::hfFreq), 0.0f);
    click(136, 210);  // right of the mid band's centre: the top position
    EXPECT_FLOAT_EQ(parameter(param::mfFreq), 1.0f);
}

TEST_F(RingClickTest, FilterRingRightHalfIsLoPassLeftHalfHiPass) {
    click(135, 540);  // 3 o'clock: Lo-Pass at the 10 kHz legend
    EXPECT_FLOAT_EQ(parameter(param::lowPass), 0.6f);
    EXPECT_FLOAT_EQ(parameter(param::highPass), 0.0f);
    click(25, 540);  // 9 o'clock: Hi-Pass at the 70 Hz legend
    EXPECT_FLOAT_EQ(parameter(param::highPass), 0.6f);
    EXPECT_FLOAT_EQ(parameter(param::lowPass), 0.6f);
    click(80, 488);  // straight above: Lo-Pass off
    EXPECT_FLOAT_EQ(parameter(param::lowPass), 0.0f);
    EXPECT_TRUE(hostCalls().empty());
}

TEST_F(RingClickTest, ClicksReachTheTopMostViewWhoseMouseAreaHoldsThem) {
    // Inside the gain knob's rectangle but outside its mouse area: the selector knob takes it.
    press(80, 54);
    move(80 + 80, 54);
    release(80 + 80, 54);
    EXPECT_FLOAT_EQ(parameter(param::hfFreq), 1.0f / 7.0f);  // 0.2 of the range: position 1
    EXPECT_FLOAT_EQ(parameter(param::hfGain), 0.5f);
}

TEST_F(RingClickTest, SlopeSwitchLeavesItsEdgeToTheFilterRing) {
    click(60, 488);  // the ring: up-left of the centre, Hi-Pass sector 5
    EXPECT_FLOAT_EQ(parameter(param::highPass), 1.0f);
    EXPECT_FLOAT_EQ(parameter(param::lowSlope), 0.0f);
    click(60, 482);  // Lo Slope, second of four positions
    EXPECT_FLOAT_EQ(parameter(param::lowSlope), 1.0f / 3.0f);
}

TEST_F(RingClickTest, ClickOnALampTogglesTheMuteAboveIt) {
    click(145, 94);
    EXPECT_FLOAT_EQ(parameter(param::muteHf), 1.0f);
    click(145, 94);
    EXPECT_FLOAT_EQ(parameter(param::muteHf), 0.0f);
    click(26, 606);
    EXPECT_FLOAT_EQ(parameter(param::muteHighPass), 1.0f);
    click(135, 474);
    EXPECT_FLOAT_EQ(parameter(param::muteLowPass), 1.0f);
}

}  // namespace
}  // namespace editor_test
