// The knobs as users feel them, through the open editor: drag laws, fine steps, re-anchoring,
// the pointer-point rule, one edit gesture per drag, selector snapping, Ctrl+click, wheel and keys.
#include "editor_fixture.h"

#include "parameter_table.h"

using namespace VSTGUI;

namespace editor_test {
namespace {

constexpr int kGainX = 80, kGainY = 80;          // inside the HF gain knob's mouse area
constexpr int kSelectorX = 45, kSelectorY = 45;  // HF Freq knob, outside the gain knob's area

class KnobTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        openEditor();
    }
    int automations(int index) {
        int count = 0;
        for (const HostCall& call : callsOf(audioMasterAutomate)) count += call.index == index;
        return count;
    }
};

TEST_F(KnobTest, SelectorKnobCoversTheRangeIn400PixelsAndSnapsDown) {
    press(kSelectorX, kSelectorY);
    move(kSelectorX + 200, kSelectorY);
    EXPECT_FLOAT_EQ(parameter(param::hfFreq), 3.0f / 7.0f);  // 0.5 rounds down to the lower position
    move(kSelectorX + 396, kSelectorY);
    EXPECT_FLOAT_EQ(parameter(param::hfFreq), 6.0f / 7.0f);  // 0.99 is not the top position
    move(kSelectorX + 400, kSelectorY);
    EXPECT_FLOAT_EQ(parameter(param::hfFreq), 1.0f);
    move(kSelectorX + 300, kSelectorY - 300);  // further travel stays at the end
    EXPECT_FLOAT_EQ(parameter(param::hfFreq), 1.0f);
    release(kSelectorX + 300, kSelectorY - 300);
    EXPECT_EQ(views().control<SelectorKnob>(param::hfFreq)->getValue(), 1.0f);
}

TEST_F(KnobTest, SelectorKnobUpLeftByEqualAmountsChangesNothing) {
    effect->setParameter(param::hfFreq, 3.0f / 7.0f);
    gui().idle();
    hostCalls().clear();
    press(kSelectorX, kSelectorY);
    move(kSelectorX - 30, kSelectorY - 30);
    release(kSelectorX - 30, kSelectorY - 30);
    EXPECT_FLOAT_EQ(parameter(param::hfFreq), 3.0f / 7.0f);
    EXPECT_EQ(automations(param::hfFreq), 0);
}

TEST_F(KnobTest, PassFilterSelectorUses300PixelsAndFiveSteps) {
    press(45, 505);       // Hi-Pass knob, outside the Lo-Pass knob's area
    move(45 + 297, 505);  // 0.99
    EXPECT_FLOAT_EQ(parameter(param::highPass), 0.8f);
    move(45 + 300, 505);
    EXPECT_FLOAT_EQ(parameter(param::highPass), 1.0f);
    release(45 + 300, 505);
}

TEST_F(KnobTest, OneBeginEndPairPerDragAndAutomationWhileMoving) {
    press(kGainX, kGainY);
    for (int dx = 5; dx <= 60; dx += 5) {
        move(kGainX + dx, kGainY);
        gui().idle();  // the host's idle redraws between the moves
    }
    release(kGainX + 60, kGainY);
    auto begins = callsOf(audioMasterBeginEdit);
    auto ends = callsOf(audioMasterEndEdit);
    ASSERT_EQ(begins.size(), 1u);
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(begins[0].index, param::hfGain);
    EXPECT_EQ(ends[0].index, param::hfGain);
    EXPECT_EQ(automations(param::hfGain), 5);  // 60 pixels are five whole steps of 400/36
    EXPECT_FLOAT_EQ(parameter(param::hfGain), 0.5f + 5.0f / 36.0f);
    // The begin comes before the first automation, the end after the last.
    EXPECT_EQ(hostCalls().front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(hostCalls().back().opcode, audioMasterEndEdit);
}

TEST_F(KnobTest, GainKnobMovesInWholeStepsOf400Over36Pixels) {
    press(kGainX, kGainY);
    move(kGainX + 11, kGainY);
    EXPECT_FLOAT_EQ(parameter(param::hfGain), 0.5f);
    move(kGainX + 12, kGainY);
    EXPECT_FLOAT_EQ(parameter(param::hfGain), 0.5f + 1.0f / 36.0f);
    move(kGainX - 12, kGainY);  // down-left past the anchor: one step below
    EXPECT_FLOAT_EQ(parameter(param::hfGain), 0.5f - 1.0f / 36.0f);
    release(kGainX - 12, kGainY);
}

TEST_F(KnobTest, ShiftStepIsATenthAndShowsOnlyWhenThePointerPointMoves) {
    press(kGainX, kGainY, kLButton | kShift);
    move(kGainX + 12, kGainY, kLButton | kShift);
    // One fine step moves the notional pointer of a 60-pixel knob by less than a pixel.
    EXPECT_FLOAT_EQ(views().control<FineKnob>(param::hfGain)->getValue(), 0.5f + 1.0f / 360.0f);
    EXPECT_FALSE(views().control<FineKnob>(param::hfGain)->isDirty());
    EXPECT_FLOAT_EQ(parameter(param::hfGain), 0.5f);
    EXPECT_EQ(automations(param::hfGain), 0);
    move(kGainX + 23, kGainY, kLButton | kShift);  // two fine steps move it to the next pixel
    EXPECT_FLOAT_EQ(parameter(param::hfGain), 0.5f + 2.0f / 360.0f);
    EXPECT_EQ(automations(param::hfGain), 1);
    release(kGainX + 23, kGainY);
}

TEST_F(KnobTest, ChangingModifiersMidDragReanchorsWithoutJump) {
    press(kGainX, kGainY);
    move(kGainX + 12, kGainY);
    const float afterOneStep = 0.5f + 1.0f / 36.0f;
    ASSERT_FLOAT_EQ(parameter(param::hfGain), afterOneStep);
    move(kGainX + 40, kGainY, kLButton | kShift);  // Shift pressed: only re-anchors here
    EXPECT_FLOAT_EQ(views().control<FineKnob>(param::hfGain)->getValue(), afterOneStep);
    move(kGainX + 40 + 23, kGainY, kLButton | kShift);  // two fine steps from the new anchor
    EXPECT_FLOAT_EQ(views().control<FineKnob>(param::hfGain)->getValue(), afterOneStep + 2.0f / 360.0f);
    move(kGainX + 70, kGainY, kLButton);  // Shift released: re-anchors again
    const float fine = views().control<FineKnob>(param::hfGain)->getValue();
    EXPECT_FLOAT_EQ(fine, afterOneStep + 2.0f / 360.0f);
    move(kGainX + 70 + 12, kGainY, kLButton);  // whole steps, counted from the off-grid value
    EXPECT_FLOAT_EQ(views().control<FineKnob>(param::hfGain)->getValue(), fine + 1.0f / 36.0f);
    release(kGainX + 82, kGainY);
    EXPECT_EQ(callsOf(audioMasterBeginEdit).size(), 1u);
    EXPECT_EQ(callsOf(audioMasterEndEdit).size(), 1u);
}

TEST_F(KnobTest, ShiftDoesNothingToTheSelectorKnob) {
    press(kSelectorX, kSelectorY, kLButton | kShift | kControl);  // not exactly left + Ctrl: a drag
    move(kSelectorX + 400, kSelectorY, kLButton | kShift | kControl);
    release(kSelectorX + 400, kSelectorY);
    EXPECT_FLOAT_EQ(parameter(param::hfFreq), 1.0f);
}

TEST_F(KnobTest, CtrlClickRestoresTheDefaultAsOneGesture) {
    effect->setParameter(param::hfGain, 0.9f);
    gui().idle();
    hostCalls().clear();
    click(kGainX, kGainY, kLButton | kControl);
    EXPECT_FLOAT_EQ(parameter(param::hfGain), 0.5f);
    EXPECT_EQ(automations(param::hfGain), 1);
    EXPECT_EQ(callsOf(audioMasterBeginEdit).size(), 1u);
    EXPECT_EQ(callsOf(audioMasterEndEdit).size(), 1u);

    gui().idle();  // drawn at the default: a second Ctrl+click reports nothing
    hostCalls().clear();
    click(kGainX, kGainY, kLButton | kControl);
    EXPECT_EQ(automations(param::hfGain), 0);
    EXPECT_EQ(callsOf(audioMasterBeginEdit).size(), 1u);
}

TEST_F(KnobTest, WheelMovesByATenthAndAHundredthWithShift) {
    move(kGainX, kGainY, 0);  // the wheel acts where the pointer is
    EXPECT_TRUE(gui().onWheel(1.0f));
    EXPECT_FLOAT_EQ(parameter(param::hfGain), 0.6f);
    EXPECT_EQ(callsOf(audioMasterBeginEdit).size(), 1u);
    gui().idle();
    move(kGainX, kGainY, kShift);
    EXPECT_TRUE(gui().onWheel(-5.0f));
    EXPECT_FLOAT_EQ(parameter(param::hfGain), 0.55f);
    move(kGainX, kGainY, 0);
    EXPECT_TRUE(gui().onWheel(10.0f));
    EXPECT_FLOAT_EQ(parameter(param::hfGain), 1.0f);  // clamped
}

TEST_F(KnobTest, ArrowKeysReachTheKnobThatHoldsTheFocus) {
    VstKeyCode up{0, VKEY_UP, 0};
    EXPECT_FALSE(gui().onKeyDown(up));  // nothing has the focus yet
    click(kGainX, kGainY);
    EXPECT_TRUE(gui().onKeyDown(up));
    EXPECT_FLOAT_EQ(parameter(param::hfGain), 0.6f);
    gui().idle();
    VstKeyCode fineLeft{0, VKEY_LEFT, MODIFIER_SHIFT};
    EXPECT_TRUE(gui().onKeyDown(fineLeft));
    EXPECT_FLOAT_EQ(parameter(param::hfGain), 0.59f);
    VstKeyCode letter{'a', 0, 0};
    EXPECT_FALSE(gui().onKeyDown(letter));
}

TEST(KnobFrames, FilmstripFrameIsTruncatedNeverRounded) {
    SelectorKnob selector(CRect(0, 0, 80, 80), nullptr, 2, 8, 80, nullptr);
    selector.setValue(1.0f / 7.0f - 0.001f);
    EXPECT_EQ(selector.frameOffsetForValue(), 0);
    selector.setValue(0.999f);
    EXPECT_EQ(selector.frameOffsetForValue(), 6 * 80);
    selector.setValue(1.0f);
    EXPECT_EQ(selector.frameOffsetForValue(), 7 * 80);
    FineKnob fine(CRect(0, 0, 60, 60), nullptr, 3, 101, 60, nullptr);
    fine.setValue(0.999f);
    EXPECT_EQ(fine.frameOffsetForValue(), 99 * 60);
    EXPECT_TRUE(fine.isTypeOf("VarnokKnobP"));
    EXPECT_TRUE(fine.isTypeOf("CAnimKnob"));
    EXPECT_FALSE(fine.isTypeOf("VarnokKnob"));
    EXPECT_TRUE(selector.isTypeOf("VarnokKnob"));
    EXPECT_TRUE(selector.isTypeOf("CView"));
}

}  // namespace
}  // namespace editor_test
