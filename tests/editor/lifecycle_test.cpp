// The editor's life with its effect: construction, open and close (also repeated, doubled, or
// skipped before effClose), parameters changed while closed, selector
// snapping and automation, and what a missing bitmap does.
#include "editor_fixture.h"

#include "bitmap_loader.h"
#include "parameter_table.h"

using namespace VSTGUI;

namespace editor_test {
namespace {

TEST_F(EditorTest, AttachesItselfAndTakesTheBackgroundsSize) {
    AEffect* record = effect->getAeffect();
    EXPECT_TRUE(record->flags & effFlagsHasEditor);
    ERect* rect = nullptr;
    ASSERT_EQ(record->dispatcher(record, effEditGetRect, 0, 0, &rect, 0.0f), 1);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 660);
    EXPECT_EQ(rect->right, 290);
    EXPECT_FALSE(gui().isGuiOpen());
}

TEST_F(EditorTest, OpenBuildsTheFortyThreeViewsWithTheParameterValues) {
    effect->setParameter(param::hfGain, 0.8f);
    effect->setParameter(param::lowSlope, 1.0f);
    effect->setParameter(param::muteLf, 1.0f);
    AEffect* record = effect->getAeffect();
    ASSERT_EQ(record->dispatcher(record, effEditOpen, 0, 0, nullptr, 0.0f), 1);
    ASSERT_TRUE(gui().isGuiOpen());
    EXPECT_EQ(frame().getNbViews(), 43);
    EXPECT_EQ(frame().getView(0), views().hfArcSwitch);
    EXPECT_EQ(frame().getView(42), views().readout(param::output));
    EXPECT_FLOAT_EQ(views().control<FineKnob>(param::hfGain)->getValue(), 0.8f);
    EXPECT_FLOAT_EQ(views().readout(param::hfGain)->getValue(), 0.8f);
    EXPECT_FLOAT_EQ(views().control<CHorizontalSwitch>(param::lowSlope)->getValue(), 1.0f);
    EXPECT_FLOAT_EQ(views().control<COnOffButton>(param::muteLf)->getValue(), 1.0f);
    EXPECT_EQ(CKnob::getKnobMode(), kLinearMode);
    EXPECT_FLOAT_EQ(views().control<FineKnob>(param::output)->steps, 50.0f);
    EXPECT_FLOAT_EQ(views().control<FineKnob>(param::mfBandwidth)->steps, 40.0f);
    EXPECT_FLOAT_EQ(views().control<SelectorKnob>(param::lowPass)->dragRange, 300.0f);
    EXPECT_FLOAT_EQ(views().control<FineKnob>(param::hfGain)->getDefaultValue(), 0.5f);
    EXPECT_FLOAT_EQ(views().control<COnOffButton>(param::phase)->getDefaultValue(), 0.0f);
    EXPECT_EQ(views().control<SelectorKnob>(param::lowPass)->getMouseableArea(), CRect(58, 518, 102, 562));
    record->dispatcher(record, effEditClose, 0, 0, nullptr, 0.0f);
    EXPECT_FALSE(gui().isGuiOpen());
    EXPECT_EQ(gui().getFrame(), nullptr);
    EXPECT_EQ(views().control<FineKnob>(param::hfGain), nullptr);
}

TEST_F(EditorTest, ChangesWhileClosedShowOnTheNextOpen) {
    openEditor();
    gui().close();
    effect->setParameter(param::mfGain, 0.25f);
    effect->setParameter(param::analog, 1.0f);
    openEditor();
    EXPECT_FLOAT_EQ(views().control<FineKnob>(param::mfGain)->getValue(), 0.25f);
    EXPECT_FLOAT_EQ(views().readout(param::mfGain)->getValue(), 0.25f);
    EXPECT_FLOAT_EQ(views().control<COnOffButton>(param::analog)->getValue(), 1.0f);
}

TEST_F(EditorTest, ControlsFollowTheStoredClampedValue) {
    openEditor();
    effect->setParameter(param::hfBandwidth, 1.7f);
    EXPECT_FLOAT_EQ(views().control<FineKnob>(param::hfBandwidth)->getValue(), 1.0f);
    EXPECT_FLOAT_EQ(views().readout(param::hfBandwidth)->getValue(), 1.0f);
    effect->setParameter(param::phase, 1.0f);
    EXPECT_FLOAT_EQ(views().control<COnOffButton>(param::phase)->getValue(), 1.0f);
}

TEST_F(EditorTest, SwitchesAndButtonsSendAutomationInsideAGesture) {
    openEditor();
    click(220, 135);  // HF Type, right half: B
    EXPECT_FLOAT_EQ(parameter(param::hfType), 1.0f);
    click(80, 135);  // HF Mode
    EXPECT_FLOAT_EQ(parameter(param::hfMode), 1.0f);
    auto automations = callsOf(audioMasterAutomate);
    ASSERT_EQ(automations.size(), 2u);
    EXPECT_EQ(automations[0].index, param::hfType);
    EXPECT_EQ(automations[1].index, param::hfMode);
    EXPECT_EQ(callsOf(audioMasterBeginEdit).size(), 2u);
    EXPECT_EQ(callsOf(audioMasterEndEdit).size(), 2u);
}

TEST_F(EditorTest, AfterCloseNothingReachesTheViews) {
    openEditor();
    CControl* knob = views().control<FineKnob>(param::hfGain);
    gui().close();
    gui().setParameter(param::hfGain, 0.1f);
    gui().valueChanged(nullptr, knob);  // a stale pointer must not even be looked at
    gui().idle();
    EXPECT_FLOAT_EQ(parameter(param::hfGain), 0.5f);
    EXPECT_TRUE(callsOf(audioMasterAutomate).empty());
}

TEST_F(EditorTest, SecondOpenReplacesTheFirstWindow) {
    openEditor();
    CView* firstKnob = views().control<FineKnob>(param::hfGain);
    firstKnob->remember();  // keeps the view inspectable after its frame let go of it
    ASSERT_EQ(firstKnob->getNbReference(), 2);
    ASSERT_TRUE(gui().open(nullptr));
    EXPECT_NE(views().control<FineKnob>(param::hfGain), firstKnob);
    EXPECT_EQ(firstKnob->getNbReference(), 1);  // the first frame was destroyed and released it
    firstKnob->forget();
    EXPECT_EQ(frame().getNbViews(), 43);
}

TEST_F(EditorTest, ManyOpenCloseCycles) {
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(gui().open(nullptr));
        effect->setParameter(param::hfGain, (i % 10) / 10.0f);
        gui().idle();
        click(80, 80);
        gui().close();
    }
    EXPECT_FALSE(gui().isGuiOpen());
}

TEST(EditorTeardown, EffCloseWithTheWindowOpenClosesItFirst) {
    hostCalls().clear();
    auto* effect = new vst::EqualizerPlugin(recordingHost);
    AEffect* record = effect->getAeffect();
    ASSERT_EQ(record->dispatcher(record, effEditOpen, 0, 0, nullptr, 0.0f), 1);
    auto* editor = static_cast<EqualizerEditor*>(effect->getEditor());
    // A typed value is still being edited when the host closes the instance.
    CPoint where(120, 123);
    editor->getFrame()->onMouseDown(where, kLButton);
    ASSERT_TRUE(editor->getViews().readout(param::hfGain)->isEditing());
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
    // The edit ended while the effect was still whole, so the host heard its end.
    ASSERT_FALSE(hostCalls().empty());
    EXPECT_EQ(hostCalls().back().opcode, audioMasterEndEdit);
    EXPECT_EQ(hostCalls().back().index, 1001);
}

// Bitmaps that cannot be found: the editor opens, controls without artwork draw nothing.
bool noArtwork(long, qx71::ResourceBytes&) { return false; }

TEST_F(EditorTest, MissingArtworkStillOpensAndWorks) {
    qx71::setResourceLookup(noArtwork);
    bool opened = gui().open(nullptr);
    qx71::setResourceLookup(nullptr);
    ASSERT_TRUE(opened);
    gui().idle();
    click(25, 80);
    EXPECT_FLOAT_EQ(parameter(param::hfFreq), 2.0f / 7.0f);
    press(80, 80);
    move(104, 80);
    release(104, 80);
    EXPECT_FLOAT_EQ(parameter(param::hfGain), 0.5f + 2.0f / 36.0f);
    gui().idle();
}

}  // namespace
}  // namespace editor_test
