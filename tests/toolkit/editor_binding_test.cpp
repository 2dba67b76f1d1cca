// The editor binding: attachment to the effect, rectangle, idle redraw and its throttled
// variant, key, wheel and knob-mode forwarding, and many open/close cycles.
#include <gtest/gtest.h>

#include "aeffguieditor.h"
#include "bitmap_loader.h"
#include "cbitmap.h"
#include "cknob.h"
#include "coffscreencontext.h"
#include "test_support.h"

using namespace VSTGUI;
using toolkit_test::FakeClock;
using toolkit_test::RecordingEffect;

namespace {

// A minimal editor in the shape of the program's: it builds a frame with shared bitmaps and a
// few controls at open and throws them away at close.
class SmallEditor : public AEffGUIEditor {
public:
    explicit SmallEditor(AudioEffect* effect) : AEffGUIEditor(effect) {
        rect.right = 120;
        rect.bottom = 80;
    }
    ~SmallEditor() override { close(); }

    bool open(void* parent) override {
        AEffGUIEditor::open(parent);
        auto* background = new CBitmap(900);
        auto* strip = new CBitmap(901);
        auto* newFrame = new CFrame(CRect(0, 0, 120, 80), parent, this);
        newFrame->setBackground(background);
        for (int i = 0; i < 3; ++i) {
            knobs[i] = new CAnimKnob(CRect(i * 40, 0, i * 40 + 40, 40), nullptr, i, 2, 40, strip);
            newFrame->addView(knobs[i]);
        }
        background->forget();
        strip->forget();
        frame = newFrame;
        return true;
    }
    void close() override {
        delete frame;
        frame = nullptr;
        AEffGUIEditor::close();
    }

    CAnimKnob* knobs[3] = {};
    int idles = 0;
    void idle() override {
        ++idles;
        AEffGUIEditor::idle();
    }
};

struct Artwork {
    toolkit_test::FakeResources resources;
    Artwork() {
        resources.add(900, toolkit_test::makePng(120, 80, 3, std::vector<std::uint8_t>(120 * 80 * 3, 40)));
        resources.add(901, toolkit_test::makePng(40, 80, 4, std::vector<std::uint8_t>(40 * 80 * 4, 220)));
    }
};

}  // namespace

TEST(EditorBinding, AttachesToTheEffectAndHandsOutItsRect) {
    RecordingEffect effect;
    auto* editor = new SmallEditor(&effect);
    EXPECT_EQ(effect.getEditor(), editor);
    EXPECT_TRUE(effect.getAeffect()->flags & effFlagsHasEditor);
    ERect* rect = nullptr;
    EXPECT_TRUE(editor->getRect(&rect));
    EXPECT_EQ(rect->right, 120);
    EXPECT_EQ(rect->bottom, 80);
    EXPECT_EQ(editor->getFrame(), nullptr);
    EXPECT_TRUE(editor->setKnobMode(kLinearMode));
    EXPECT_EQ(CKnob::getKnobMode(), kLinearMode);
    CKnob::setKnobMode(kCircularMode);
}

TEST(EditorBinding, IdleRedrawsDirtyViewsIntoTheFrame) {
    Artwork artwork;
    RecordingEffect effect;
    auto* editor = new SmallEditor(&effect);
    editor->open(nullptr);
    editor->idle();
    COffscreenContext picture(nullptr, 120, 80);
    editor->getFrame()->draw(&picture);
    // The knob strip (220 over 220 alpha) blended over the background (40).
    CColor knob = picture.getPixel(20, 20);
    EXPECT_EQ(knob.red, 220 * 220 / 256 + (40 * 35 + 127) / 255);
    EXPECT_EQ(picture.getPixel(20, 60), (CColor{40, 40, 40, 255}));
    EXPECT_FALSE(editor->knobs[0]->isDirty());
    editor->knobs[1]->setValue(1.0f);
    EXPECT_TRUE(editor->knobs[1]->isDirty());
    editor->idle();
    EXPECT_FALSE(editor->knobs[1]->isDirty());
}

TEST(EditorBinding, DoIdleStuffIsThrottledAndRunsTheHostIdleWithoutRedraw) {
    FakeClock clock(1000);
    RecordingEffect effect;
    auto* editor = new SmallEditor(&effect);
    editor->doIdleStuff();  // less than 50 ms since construction
    EXPECT_EQ(editor->idles, 0);
    clock.advance(50);
    editor->doIdleStuff();
    EXPECT_EQ(editor->idles, 1);
    EXPECT_EQ(effect.opcodes(), (std::vector<VstInt32>{audioMasterIdle}));
    clock.advance(49);
    editor->doIdleStuff();
    EXPECT_EQ(editor->idles, 1);
    clock.advance(1);
    editor->doIdleStuff();
    EXPECT_EQ(editor->idles, 2);
}

TEST(EditorBinding, KeysAndWheelReachTheFrame) {
    Artwork artwork;
    RecordingEffect effect;
    auto* editor = new SmallEditor(&effect);
    float wheel = 1.0f;
    EXPECT_FALSE(editor->onWheel(wheel));  // closed
    editor->open(nullptr);
    CFrame* frame = editor->getFrame();
    CPoint overSecondKnob(60, 20);
    frame->onMouseMoved(overSecondKnob, 0);
    EXPECT_TRUE(editor->onWheel(wheel));
    EXPECT_FLOAT_EQ(editor->knobs[1]->getValue(), 0.1f);
    EXPECT_EQ(frame->getFocusView(), editor->knobs[1]);
    VstKeyCode up{};
    up.virt = VKEY_UP;
    EXPECT_TRUE(editor->onKeyDown(up));
    EXPECT_FLOAT_EQ(editor->knobs[1]->getValue(), 0.2f);
    VstKeyCode letter{};
    letter.character = 'q';
    EXPECT_FALSE(editor->onKeyDown(letter));
    EXPECT_EQ(effect.opcodes(), (std::vector<VstInt32>{audioMasterBeginEdit, audioMasterEndEdit, audioMasterBeginEdit,
                                                       audioMasterEndEdit}));
    CPoint nowhere(60, 70);
    frame->onMouseMoved(nowhere, 0);
    EXPECT_FALSE(editor->onWheel(wheel));
}

TEST(EditorBinding, ManyOpenCloseCyclesLeaveNothingBehind) {
    Artwork artwork;
    RecordingEffect effect;
    auto* editor = new SmallEditor(&effect);
    for (int cycle = 0; cycle < 200; ++cycle) {
        editor->open(nullptr);
        CBitmap* strip = editor->knobs[0]->getBackground();
        ASSERT_EQ(strip->getNbReference(), 3);
        ASSERT_EQ(editor->getFrame()->getBackground()->getNbReference(), 1);
        editor->idle();
        editor->close();
        ASSERT_EQ(editor->getFrame(), nullptr);
    }
}
