// Value laws of the stock controls: defaults and dirty state, filmstrip frame choice, knob wheel
// and keys, Ctrl+click reset, the on/off button and the horizontal switch.
#include <gtest/gtest.h>

#include <cmath>

#include "aeffguieditor.h"
#include "cbitmap.h"
#include "chorizontalswitch.h"
#include "cknob.h"
#include "coffscreencontext.h"
#include "conoffbutton.h"
#include "test_support.h"

using namespace VSTGUI;
using toolkit_test::RecordingEffect;
using toolkit_test::RecordingListener;

namespace {

VstKeyCode key(unsigned char virt, unsigned char modifier = 0) {
    VstKeyCode code{};
    code.virt = virt;
    code.modifier = modifier;
    return code;
}

// An effect with an editor and an open frame, recording the host's begin/end edit calls.
struct Bench {
    RecordingEffect effect;
    AEffGUIEditor* editor = new AEffGUIEditor(&effect);
    CFrame frame{CRect(0, 0, 300, 300), nullptr, editor};
    RecordingListener listener;

    std::vector<VstInt32> edits() const {
        std::vector<VstInt32> out;
        for (auto& call : effect.calls) {
            if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterEndEdit) {
                out.push_back(call.opcode == audioMasterBeginEdit ? call.index : -call.index);
            }
        }
        return out;
    }
};

}  // namespace

TEST(ControlBasics, DefaultsDirtyRulesAndBounce) {
    CControl control(CRect(0, 0, 10, 10));
    EXPECT_EQ(control.getValue(), 0.0f);
    EXPECT_EQ(control.getDefaultValue(), 0.5f);
    EXPECT_EQ(control.getWheelInc(), 0.1f);
    EXPECT_TRUE(control.isDirty());  // old value 1 differs from value 0
    control.setDirty(false);
    EXPECT_FALSE(control.isDirty());
    control.setValue(0.3f);
    EXPECT_TRUE(control.isDirty());
    control.setDirty(false);
    control.setDirty(true);
    EXPECT_TRUE(control.isDirty());
    EXPECT_NE(control.getOldValue(), control.getValue());
    control.setValue(1.7f);  // setters store without clamping
    EXPECT_EQ(control.getValue(), 1.7f);
    control.bounceValue();
    EXPECT_EQ(control.getValue(), 1.0f);
    control.setValue(-2.0f);
    control.bounceValue();
    EXPECT_EQ(control.getValue(), 0.0f);
    EXPECT_TRUE(control.isTypeOf("CControl"));
    EXPECT_TRUE(control.isTypeOf("CView"));
    EXPECT_FALSE(control.isTypeOf("CKnob"));
}

TEST(AnimKnob, FrameChoiceTruncatesToWholeFrames) {
    CAnimKnob eight(CRect(0, 0, 80, 80), nullptr, 0, 8, 80, nullptr);
    for (float v : {0.0f, 0.1f, 1.0f / 7.0f - 0.001f}) {
        eight.setValue(v);
        EXPECT_EQ(eight.frameOffsetForValue(), 0) << v;
    }
    eight.setValue(0.999f);
    EXPECT_EQ(eight.frameOffsetForValue(), 480);
    eight.setValue(1.0f);
    EXPECT_EQ(eight.frameOffsetForValue(), 560);
    eight.setValue(-0.5f);
    EXPECT_EQ(eight.frameOffsetForValue(), 0);

    CAnimKnob strip(CRect(0, 0, 60, 60), nullptr, 0, 101, 60, nullptr);
    strip.setValue(0.999f);
    EXPECT_EQ(strip.frameOffsetForValue(), 99 * 60);
    EXPECT_TRUE(strip.isTypeOf("CAnimKnob"));
    EXPECT_TRUE(strip.isTypeOf("CKnob"));
    EXPECT_FALSE(strip.isTypeOf("COnOffButton"));
}

TEST(AnimKnob, PointerPointAndDirtyFollowWholePixels) {
    CAnimKnob knob(CRect(0, 0, 80, 80), nullptr, 0, 101, 80, nullptr);
    CPoint p;
    knob.setValue(0.5f);
    knob.valueToPoint(p);
    EXPECT_EQ(p, CPoint(40, 0));  // straight up
    knob.setValue(0.0f);
    knob.valueToPoint(p);
    EXPECT_EQ(p, CPoint(12, 68));  // 225 degrees
    knob.setValue(1.0f);
    knob.valueToPoint(p);
    EXPECT_EQ(p, CPoint(68, 68));

    knob.setValue(0.5f);
    knob.draw(nullptr);
    EXPECT_FALSE(knob.isDirty());
    knob.setValue(0.501f);  // too small to move the point by a pixel
    EXPECT_FALSE(knob.isDirty());
    knob.setValue(0.52f);
    EXPECT_TRUE(knob.isDirty());
    knob.setValue(0.5f);
    knob.setDirty(true);
    EXPECT_TRUE(knob.isDirty());
}

TEST(Knob, WheelStepsClampAndReportOneGesture) {
    Bench bench;
    auto* knob = new CAnimKnob(CRect(0, 0, 80, 80), &bench.listener, 7, 101, 80, nullptr);
    bench.frame.addView(knob);
    knob->draw(nullptr);
    EXPECT_TRUE(knob->onWheel(CPoint(1, 1), 1.0f, 0));
    EXPECT_FLOAT_EQ(knob->getValue(), 0.1f);
    knob->draw(nullptr);
    EXPECT_TRUE(knob->onWheel(CPoint(1, 1), 2.0f, kShift));
    EXPECT_FLOAT_EQ(knob->getValue(), 0.12f);
    // Back to the value last drawn: the pointer point shows no change, so nothing is reported.
    EXPECT_TRUE(knob->onWheel(CPoint(1, 1), -2.0f, kShift));
    EXPECT_NEAR(knob->getValue(), 0.1f, 1e-6);
    EXPECT_EQ(bench.listener.values.size(), 2u);
    knob->draw(nullptr);
    EXPECT_TRUE(knob->onWheel(CPoint(1, 1), 10.0f, 0));
    EXPECT_EQ(knob->getValue(), 1.0f);
    ASSERT_EQ(bench.listener.values.size(), 3u);
    EXPECT_EQ(bench.edits(), (std::vector<VstInt32>{7, -7, 7, -7, 7, -7}));
    EXPECT_EQ(bench.frame.getFocusView(), knob);
    // At the top already: handled, but nothing to report.
    knob->draw(nullptr);
    EXPECT_TRUE(knob->onWheel(CPoint(1, 1), 1.0f, 0));
    EXPECT_EQ(bench.listener.values.size(), 3u);
    knob->setMouseEnabled(false);
    EXPECT_FALSE(knob->onWheel(CPoint(1, 1), -1.0f, 0));
    EXPECT_EQ(knob->getValue(), 1.0f);
}

TEST(Knob, ArrowKeysReachOnlyTheFocusedKnob) {
    Bench bench;
    auto* knob = new CAnimKnob(CRect(0, 0, 80, 80), &bench.listener, 3, 101, 80, nullptr);
    bench.frame.addView(knob);
    VstKeyCode up = key(VKEY_UP), left = key(VKEY_LEFT, MODIFIER_SHIFT), other = key(0);
    other.character = 'a';
    EXPECT_FALSE(bench.editor->onKeyDown(up));  // no frame attached to the editor: nothing
    EXPECT_EQ(bench.frame.onKeyDown(up), -1);   // no focus view yet
    bench.frame.setFocusView(knob);
    knob->setValue(0.5f);
    EXPECT_EQ(bench.frame.onKeyDown(up), 1);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.6f);
    EXPECT_EQ(bench.frame.onKeyDown(left), 1);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.59f);
    EXPECT_EQ(bench.frame.onKeyDown(other), -1);
    knob->setValue(1.0f);
    knob->draw(nullptr);
    VstKeyCode right = key(VKEY_RIGHT);
    size_t reports = bench.listener.values.size();
    EXPECT_EQ(bench.frame.onKeyDown(right), 1);  // answered even though nothing changed
    EXPECT_EQ(bench.listener.values.size(), reports);
}

TEST(Knob, CtrlClickRestoresTheDefaultExactlyOnLeftPlusCtrl) {
    Bench bench;
    auto* knob = new CAnimKnob(CRect(0, 0, 80, 80), &bench.listener, 4, 101, 80, nullptr);
    bench.frame.addView(knob);
    knob->setValue(0.9f);
    knob->setDefaultValue(0.25f);
    knob->draw(nullptr);
    CPoint p(40, 40);
    EXPECT_EQ(bench.frame.onMouseDown(p, kLButton | kControl | kShift), kMouseEventHandled);  // a drag
    bench.frame.onMouseUp(p, 0);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.9f);
    bench.frame.onMouseDown(p, kLButton | kControl);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.25f);
    EXPECT_EQ(bench.listener.values, (std::vector<float>{0.25f}));
    EXPECT_EQ(bench.edits(), (std::vector<VstInt32>{4, -4, 4, -4}));
}

TEST(Knob, LinearDragIsOneGestureAndClamps) {
    Bench bench;
    CKnob::setKnobMode(kLinearMode);
    auto* knob = new CAnimKnob(CRect(0, 0, 80, 80), &bench.listener, 9, 101, 80, nullptr);
    bench.frame.addView(knob);
    CPoint start(40, 40), right(140, 40), far(400, -400);
    bench.frame.onMouseDown(start, kLButton);
    bench.frame.onMouseMoved(right, kLButton);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f);
    bench.frame.onMouseMoved(far, kLButton);
    EXPECT_EQ(knob->getValue(), 1.0f);
    bench.frame.onMouseUp(far, 0);
    EXPECT_EQ(bench.edits(), (std::vector<VstInt32>{9, -9}));
    EXPECT_EQ(bench.listener.values.size(), 2u);
    CKnob::setKnobMode(kCircularMode);
}

TEST(Knob, CircularModeFollowsThePointerAngle) {
    CKnob::setKnobMode(kCircularMode);
    Bench bench;
    auto* knob = new CKnob(CRect(0, 0, 80, 80), nullptr, 1, nullptr, nullptr);
    bench.frame.addView(knob);
    CPoint press(40, 40), top(40, 0), lowRight(79, 79);
    bench.frame.onMouseDown(press, kLButton);
    bench.frame.onMouseMoved(top, kLButton);
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-6);
    bench.frame.onMouseMoved(lowRight, kLButton);
    EXPECT_NEAR(knob->getValue(), 1.0f, 1e-6);
    bench.frame.onMouseUp(lowRight, 0);
}

TEST(OnOffButton, TogglesOnPressAndNotifiesOnlyWithAListener) {
    Bench bench;
    auto* button = new COnOffButton(CRect(0, 0, 40, 30), &bench.listener, 6, nullptr);
    auto* silent = new COnOffButton(CRect(50, 0, 90, 30), nullptr, 7, nullptr);
    bench.frame.addView(button);
    bench.frame.addView(silent);
    CPoint onButton(10, 10), onSilent(60, 10);
    EXPECT_EQ(bench.frame.onMouseDown(onButton, kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_EQ(button->getValue(), 1.0f);
    button->setValue(1.9f);  // trunc(1.9) is not 0: goes off
    bench.frame.onMouseDown(onButton, kLButton);
    EXPECT_EQ(button->getValue(), 0.0f);
    button->setValue(0.7f);  // trunc(0.7) is 0: goes on
    bench.frame.onMouseDown(onButton, kLButton);
    EXPECT_EQ(button->getValue(), 1.0f);
    bench.frame.onMouseDown(onButton, kRButton);
    EXPECT_EQ(button->getValue(), 1.0f);
    EXPECT_EQ(bench.listener.values, (std::vector<float>{1.0f, 0.0f, 1.0f}));
    EXPECT_EQ(bench.edits(), (std::vector<VstInt32>{6, -6, 6, -6, 6, -6}));

    bench.frame.onMouseDown(onSilent, kLButton);  // still toggles, tells nobody
    EXPECT_EQ(silent->getValue(), 1.0f);
    EXPECT_EQ(bench.edits().size(), 6u);
}

TEST(OnOffButton, DrawsOffOnTopAndOnBelow) {
    toolkit_test::FakeResources resources;
    // 1 x 2 strip: black over white.
    resources.add(800, toolkit_test::makePng(1, 2, 3, {0, 0, 0, 255, 255, 255}));
    auto* strip = new CBitmap(800);
    COnOffButton button(CRect(0, 0, 1, 1), nullptr, 0, strip);
    strip->forget();
    COffscreenContext context(nullptr, 1, 1, CColor{50, 50, 50, 255});
    button.draw(&context);
    EXPECT_EQ(context.getPixel(0, 0), kBlackCColor);
    button.setValue(1.0f);
    button.draw(&context);
    EXPECT_EQ(context.getPixel(0, 0), kWhiteCColor);
    EXPECT_FALSE(button.isDirty());
}

TEST(HorizontalSwitch, PositionFromTheBitmapWidthWithLiveDragAndOneGesture) {
    toolkit_test::FakeResources resources;
    resources.add(801, toolkit_test::makePng(60, 120, 3, std::vector<std::uint8_t>(60 * 120 * 3, 128)));
    Bench bench;
    auto* strip = new CBitmap(801);
    auto* slope = new CHorizontalSwitch(CRect(32, 460, 92, 490), &bench.listener, 18, 4, 30, 4, strip);
    strip->forget();
    bench.frame.addView(slope);
    slope->draw(nullptr);
    CPoint p(32 + 15, 470);  // second position of four (15 pixels each)
    bench.frame.onMouseDown(p, kLButton);
    EXPECT_FLOAT_EQ(slope->getValue(), 1.0f / 3.0f);
    CPoint beyondRight(200, 0), beyondLeft(-50, 475), rightEdge(92, 470);
    bench.frame.onMouseMoved(beyondRight, kLButton);
    EXPECT_EQ(slope->getValue(), 1.0f);
    bench.frame.onMouseMoved(beyondLeft, kLButton);
    EXPECT_EQ(slope->getValue(), 0.0f);
    bench.frame.onMouseMoved(rightEdge, kLButton);
    EXPECT_EQ(slope->getValue(), 1.0f);
    bench.frame.onMouseUp(rightEdge, 0);
    EXPECT_EQ(bench.edits(), (std::vector<VstInt32>{18, -18}));
    // Back at 0, the value last drawn, is not dirty and so not reported.
    EXPECT_EQ(bench.listener.values, (std::vector<float>{1.0f / 3.0f, 1.0f, 1.0f}));

    bench.frame.onMouseDown(p, kLButton | kControl);
    EXPECT_EQ(slope->getValue(), 0.0f);  // the switch's default
    EXPECT_TRUE(slope->isTypeOf("CHorizontalSwitch"));
}

TEST(HorizontalSwitch, DrawsTheRoundedFrameAndSurvivesAMissingBitmap) {
    toolkit_test::FakeResources resources;
    // Two frames of 1 x 1: red over green.
    resources.add(802, toolkit_test::makePng(1, 2, 3, {255, 0, 0, 0, 255, 0}));
    auto* strip = new CBitmap(802);
    CHorizontalSwitch two(CRect(0, 0, 1, 1), nullptr, 0, 2, 1, 2, strip);
    strip->forget();
    COffscreenContext context(nullptr, 1, 1);
    two.setValue(0.49f);
    two.draw(&context);
    EXPECT_EQ(context.getPixel(0, 0), (CColor{255, 0, 0, 255}));
    two.setValue(0.5f);
    two.draw(&context);
    EXPECT_EQ(context.getPixel(0, 0), (CColor{0, 255, 0, 255}));

    Bench bench;
    auto* bare = new CHorizontalSwitch(CRect(0, 0, 40, 30), nullptr, 5, 2, 30, 2, nullptr);
    bench.frame.addView(bare);
    CPoint right(30, 10);
    bench.frame.onMouseDown(right, kLButton);
    EXPECT_EQ(bare->getValue(), 1.0f);
}
