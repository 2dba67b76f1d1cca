// Section lamps (lit rules, blinking of muted sections in one shared phase) and the clip lamp's
// 300 ms hold, with the injected clock.
#include "editor_fixture.h"

#include "coffscreencontext.h"
#include "parameter_table.h"

using namespace VSTGUI;

namespace editor_test {
namespace {

class LampTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        openEditor();
    }
    bool lit(LampSection section) { return gui().lampState(section).lit(); }
    void idleAt(std::uint32_t ms) {
        setFakeTime(ms);
        gui().idle();
    }
    // One stereo block at a constant level through the plug-in's audio callback.
    void playLevel(float level) {
        float left[64], right[64], outLeft[64], outRight[64];
        for (int i = 0; i < 64; ++i) left[i] = right[i] = level;
        float* inputs[] = {left, right};
        float* outputs[] = {outLeft, outRight};
        effect->getAeffect()->processReplacing(effect->getAeffect(), inputs, outputs, 64);
    }
    // Whether the clip lamp shows its lit frame on screen.
    CColor clipLampPixel() {
        auto* surface = static_cast<COffscreenContext*>(frame().getBackBuffer());
        return surface->getPixel(244, 619);
    }
};

TEST_F(LampTest, SelectorThresholdsLightTheSectionLamps) {
    EXPECT_FALSE(lit(kHfSection));
    effect->setParameter(param::hfFreq, 1.0f / 7.0f);  // the first position above OFF
    EXPECT_TRUE(lit(kHfSection));
    effect->setParameter(param::mfFreq, 0.1419f);
    EXPECT_FALSE(lit(kMfSection));
    effect->setParameter(param::lowPass, 0.2f);
    EXPECT_TRUE(lit(kLpfSection));
    effect->setParameter(param::highPass, 0.19f);
    EXPECT_FALSE(lit(kHpfSection));
    effect->setParameter(param::lfFreq, 1.5f);  // the hook sees the raw value
    EXPECT_TRUE(lit(kLfSection));
}

TEST_F(LampTest, MutedLampsBlinkTogetherEvery500Milliseconds) {
    effect->setParameter(param::hfFreq, 1.0f);
    effect->setParameter(param::muteHf, 1.0f);
    effect->setParameter(param::muteLowPass, 1.0f);  // off and muted: blinks all the same
    EXPECT_FALSE(lit(kHfSection));                   // muted, phase still off
    idleAt(1499);
    EXPECT_FALSE(lit(kHfSection));
    idleAt(1500);
    EXPECT_TRUE(lit(kHfSection));
    EXPECT_TRUE(lit(kLpfSection));
    idleAt(1999);
    EXPECT_TRUE(lit(kHfSection));
    idleAt(2000);
    EXPECT_FALSE(lit(kHfSection));
    EXPECT_FALSE(lit(kLpfSection));
    effect->setParameter(param::muteHf, 0.0f);
    EXPECT_TRUE(lit(kHfSection));  // unmuted: lit from its selector again
}

TEST_F(LampTest, MuteAtExactlyHalfDarkensWithoutBlinking) {
    effect->setParameter(param::hfFreq, 1.0f);
    effect->setParameter(param::muteHf, 0.5f);
    for (std::uint32_t t = 1500; t <= 4000; t += 500) {
        idleAt(t);
        EXPECT_FALSE(lit(kHfSection)) << t;
    }
}

TEST_F(LampTest, ClipLampHoldsFor300MillisecondsAfterTheLastPeak) {
    CColor dark = clipLampPixel();
    gui().peakFeed()->store(1.0);  // exactly 1.0 does not count
    idleAt(1100);
    EXPECT_EQ(clipLampPixel(), dark);
    playLevel(1.5f);  // the audio callback raises the level
    idleAt(1200);
    CColor bright = clipLampPixel();
    EXPECT_NE(bright, dark);
    idleAt(1300);
    idleAt(1400);
    EXPECT_EQ(clipLampPixel(), bright);
    idleAt(1499);
    EXPECT_EQ(clipLampPixel(), bright);
    idleAt(1500);
    EXPECT_EQ(clipLampPixel(), dark);
}

TEST_F(LampTest, PeakFeedOnlyWhileOpen) {
    EXPECT_NE(gui().peakFeed(), nullptr);
    gui().close();
    EXPECT_EQ(gui().peakFeed(), nullptr);
    playLevel(2.0f);  // the audio callback is handed no level to raise
    ASSERT_TRUE(gui().open(nullptr));
    gui().idle();
    auto* surface = static_cast<COffscreenContext*>(frame().getBackBuffer());
    CColor afterReopen = surface->getPixel(244, 619);
    playLevel(2.0f);
    idleAt(1050);
    EXPECT_NE(surface->getPixel(244, 619), afterReopen);
}

TEST_F(LampTest, ChangesWhileClosedShowOnTheLampsAtTheNextOpen) {
    gui().close();
    effect->setParameter(param::mfFreq, 1.0f);
    effect->setParameter(param::muteMf, 1.0f);
    ASSERT_TRUE(gui().open(nullptr));
    EXPECT_TRUE(gui().lampState(kMfSection).ledOn.load());
    EXPECT_TRUE(gui().lampState(kMfSection).overrideActive.load());
    EXPECT_FALSE(gui().lampState(kMfSection).overrideOn.load());
}

TEST(LampViews, AlwaysDirtySoEveryIdleRepaintsThem) {
    SectionLampState state;
    std::atomic<double> peak{0.0};
    SectionLamp led(CRect(0, 0, 28, 28), nullptr, state);
    ClipLamp clip(CRect(0, 0, 28, 28), nullptr, peak);
    COffscreenContext context(nullptr, 28, 28);
    led.draw(&context);
    clip.draw(&context);
    EXPECT_TRUE(led.isDirty());
    EXPECT_TRUE(clip.isDirty());
    EXPECT_TRUE(led.isTypeOf("VarnokOnOffLed"));
    EXPECT_TRUE(clip.isTypeOf("CControl"));
    EXPECT_FALSE(clip.isTypeOf("VarnokOnOffLed"));
}

}  // namespace
}  // namespace editor_test
