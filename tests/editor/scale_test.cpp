// The editor at scales other than 1: the same gestures at the scaled positions (device pixels
// mapped back the way the window backends map them) give exactly the values they give at 1x,
// and the scale is negotiated as documented (host, 'PreS'/'AeCs', QX71_EDITOR_SCALE, limits).
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>

#include "editor_fixture.h"
#include "parameter_table.h"

using namespace VSTGUI;

namespace editor_test {
namespace {

struct Outcome {
    std::vector<float> parameters;
    std::vector<HostCall> automation;
};

// Opens an editor at the scale and plays clicks on a ring legend, a lamp and a switch, then a
// drag on the gain knob, all at logical positions turned into device pixels.
Outcome playGestures(double scale) {
    hostCalls().clear();
    auto effect = std::make_unique<vst::EqualizerPlugin>(recordingHost);
    auto* editor = static_cast<EqualizerEditor*>(effect->getEditor());
    EXPECT_TRUE(editor->setHostScale(scale));
    EXPECT_TRUE(editor->open(nullptr));
    CFrame& frame = *editor->getFrame();
    EXPECT_EQ(frame.getBackBuffer()->getWidth(), std::lround(290 * scale));
    auto at = [&](double x, double y) {
        return frame.getBackBuffer()->framePoint(
            CPoint(static_cast<CCoord>(x * scale), static_cast<CCoord>(y * scale)));
    };
    auto click = [&](double x, double y) {
        CPoint where = at(x, y);
        frame.onMouseDown(where, kLButton);
        frame.onMouseUp(where, 0);
    };
    click(25.5, 80.5);    // the 2.2 kHz legend of the high band ring
    click(52.5, 128.5);   // its OFF legend
    click(25.5, 220.5);   // the mid band's 0.36 kHz legend
    click(145.5, 94.5);   // the high band's lamp: mute
    click(225.5, 135.5);  // the high type switch's B half
    click(44.5, 475.5);   // the low-pass slope switch's first segment
    CPoint where = at(80.5, 80.5);
    frame.onMouseDown(where, kLButton);
    for (double dx : {11.0, 12.0, 30.0, -12.0}) {
        where = at(80.5 + dx, 80.5);
        frame.onMouseMoved(where, kLButton);
    }
    frame.onMouseUp(where, 0);
    Outcome outcome;
    for (int i = 0; i < param::count; ++i) outcome.parameters.push_back(effect->getParameter(i));
    for (const HostCall& call : hostCalls()) {
        if (call.opcode == audioMasterAutomate) outcome.automation.push_back(call);
    }
    return outcome;
}

TEST(ScaledEditor, GesturesAtScaledPositionsGiveTheValuesOfScaleOne) {
    Outcome reference = playGestures(1.0);
    ASSERT_FLOAT_EQ(reference.parameters[param::mfFreq], 2.0f / 7.0f);
    ASSERT_FLOAT_EQ(reference.parameters[param::muteHf], 1.0f);
    ASSERT_FLOAT_EQ(reference.parameters[param::hfGain], 0.5f - 1.0f / 36.0f);
    ASSERT_GE(reference.automation.size(), 4u);
    for (double scale : {2.0, 1.5, 1.25, 2.75}) {
        SCOPED_TRACE(scale);
        Outcome scaled = playGestures(scale);
        EXPECT_EQ(scaled.parameters, reference.parameters);
        ASSERT_EQ(scaled.automation.size(), reference.automation.size());
        for (std::size_t i = 0; i < scaled.automation.size(); ++i) {
            EXPECT_EQ(scaled.automation[i].index, reference.automation[i].index);
            EXPECT_EQ(scaled.automation[i].opt, reference.automation[i].opt);
        }
    }
}

VstIntPtr VSTCALLBACK resizingHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    if (opcode == audioMasterVersion) return 2400;
    return opcode == audioMasterSizeWindow ? 1 : 0;
}

TEST(ScaledEditor, AHostThatResizesGetsTheNewScaleAtOnceWithTheValuesShown) {
    vst::EqualizerPlugin effect(resizingHost);
    auto* editor = static_cast<EqualizerEditor*>(effect.getEditor());
    ASSERT_TRUE(editor->open(nullptr));
    effect.setParameter(param::hfGain, 0.75f);
    EXPECT_EQ(effect.dispatcher(effVendorSpecific, kScaleMessageIndex, kScaleMessageValue, nullptr, 1.5f), 1);
    ASSERT_TRUE(editor->isGuiOpen());
    EXPECT_EQ(editor->getFrame()->getBackBuffer()->getWidth(), 435);
    EXPECT_DOUBLE_EQ(editor->getScale(), 1.5);
    EXPECT_FLOAT_EQ(editor->getViews().control<FineKnob>(param::hfGain)->getValue(), 0.75f);
    editor->close();
}

class EditorScaleTest : public EditorTest {
protected:
    VstIntPtr sendScale(float scale) {
        return effect->dispatcher(effVendorSpecific, kScaleMessageIndex, kScaleMessageValue, nullptr, scale);
    }
    std::pair<int, int> rectSize() {
        ERect* rect = nullptr;
        EXPECT_TRUE(editor->getRect(&rect));
        return {rect->right - rect->left, rect->bottom - rect->top};
    }
    void TearDown() override {
        unsetenv("QX71_EDITOR_SCALE");
        EditorTest::TearDown();
    }
};

TEST_F(EditorScaleTest, HostScaleIsCheckedRoundedAndSizesTheWindow) {
    EXPECT_EQ(rectSize(), std::make_pair(290, 660));
    EXPECT_EQ(sendScale(2.0f), 1);
    EXPECT_EQ(rectSize(), std::make_pair(580, 1320));
    for (float bad :
         {0.5f, 0.99f, 3.01f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        EXPECT_EQ(sendScale(bad), 0) << bad;
    }
    EXPECT_EQ(effect->dispatcher(effVendorSpecific, kScaleMessageIndex, 0, nullptr, 1.5f), 0);  // another message
    EXPECT_EQ(rectSize(), std::make_pair(580, 1320));
    EXPECT_EQ(sendScale(1.3f), 1);  // to the nearest quarter
    EXPECT_DOUBLE_EQ(editor->getScale(), 1.25);
    EXPECT_EQ(rectSize(), std::make_pair(363, 825));
    openEditor();
    EXPECT_EQ(frame().getBackBuffer()->getWidth(), 363);
    EXPECT_EQ(frame().getBackBuffer()->getHeight(), 825);
}

TEST_F(EditorScaleTest, ScaleWhileOpenAsksTheHostToResizeElseWaitsForTheNextOpen) {
    openEditor();
    EXPECT_EQ(sendScale(2.0f), 1);
    auto resize = callsOf(audioMasterSizeWindow);
    ASSERT_EQ(resize.size(), 1u);
    EXPECT_EQ(resize[0].index, 580);
    // This host does not resize: the open window keeps its scale.
    EXPECT_EQ(frame().getBackBuffer()->getWidth(), 290);
    EXPECT_EQ(rectSize(), std::make_pair(290, 660));
    editor->close();
    openEditor();
    EXPECT_EQ(frame().getBackBuffer()->getWidth(), 580);
}

TEST_F(EditorScaleTest, TheUsersScaleWinsAndAnInvalidOneIsIgnored) {
    sendScale(2.0f);
    setenv("QX71_EDITOR_SCALE", "1.5", 1);
    EXPECT_EQ(rectSize(), std::make_pair(435, 990));
    openEditor();
    EXPECT_EQ(frame().getBackBuffer()->getWidth(), 435);
    editor->close();
    for (const char* bad : {"abc", "0.5", "4", "2x", "nan"}) {
        setenv("QX71_EDITOR_SCALE", bad, 1);
        EXPECT_EQ(rectSize(), std::make_pair(580, 1320)) << bad;
    }
}

}  // namespace
}  // namespace editor_test
