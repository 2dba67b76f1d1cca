// The value readouts: what they show, and what typed text does to the parameter.
#include "editor_fixture.h"

#include "parameter_table.h"
#include "readout_conversion.h"

using namespace gui;  // the editor's names, unqualified in the tests

using namespace VSTGUI;

namespace editor_test {
namespace {

std::string shown(float value, float halfRange) {
    char text[256];
    readout::format(value, halfRange, text);
    return text;
}

TEST(ReadoutConversion, ShownNumbers) {
    EXPECT_EQ(shown(0.5f, readout::kGainHalfRange), "0.00");
    EXPECT_EQ(shown(1.0f, readout::kGainHalfRange), "18.00");
    EXPECT_EQ(shown(0.0f, readout::kOutputHalfRange), "-25.00");
    EXPECT_EQ(shown(0.75f, readout::kBandwidthHalfRange), "10.00");
}

TEST(ReadoutConversion, TypedText) {
    EXPECT_EQ(readout::parse("30", readout::kGainHalfRange), 1.0f);
    EXPECT_EQ(readout::parse("-18", readout::kGainHalfRange), 0.0f);
    EXPECT_EQ(readout::parse("-3.5", readout::kGainHalfRange), (-3.5f + 18.0f) / 36.0f);
    EXPECT_EQ(readout::parse("abc", readout::kGainHalfRange), 0.5f);
    EXPECT_EQ(readout::parse("6 dB", readout::kGainHalfRange), 24.0f / 36.0f);  // trailing text ignored
    EXPECT_EQ(readout::parse("-30", readout::kOutputHalfRange), 0.0f);
    EXPECT_EQ(readout::parse("inf", readout::kGainHalfRange), 1.0f);
    EXPECT_EQ(readout::parse("-infinity", readout::kGainHalfRange), 0.0f);
    EXPECT_EQ(readout::parse("1e39", readout::kGainHalfRange), 1.0f);
    EXPECT_FALSE(readout::parse("nan", readout::kGainHalfRange).has_value());
    EXPECT_FALSE(readout::parse("-NaN(1)", readout::kGainHalfRange).has_value());
}

class ReadoutTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        openEditor();
    }
    // Clicks into the readout, types, and ends with Enter.
    void typeInto(const CTextEdit* field, const char* text) {
        const CRect& r = field->getViewSize();
        click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ASSERT_TRUE(field->isEditing());
        typeText(text);
        ASSERT_FALSE(field->isEditing());
    }
    std::string textOf(CTextEdit* field) {
        gui().idle();  // the field shows its value when it is drawn
        char text[256];
        field->getText(text);
        return text;
    }
};

TEST_F(ReadoutTest, DefaultsShowZeroAndFollowTheParameter) {
    for (CTextEdit* field :
         {views().readout(param::hfGain), views().readout(param::hfBandwidth), views().readout(param::mfGain),
          views().readout(param::mfBandwidth), views().readout(param::lfGain), views().readout(param::lfBandwidth),
          views().readout(param::output)})
        EXPECT_EQ(textOf(field), "0.00");
    effect->setParameter(param::hfGain, 1.0f);
    effect->setParameter(param::output, 0.0f);
    EXPECT_EQ(textOf(views().readout(param::hfGain)), "18.00");
    EXPECT_EQ(textOf(views().readout(param::output)), "-25.00");
    EXPECT_FLOAT_EQ(views().control<FineKnob>(param::hfGain)->getValue(), 1.0f);
}

TEST_F(ReadoutTest, TypedValueSetsTheParameterWithoutAutomation) {
    typeInto(views().readout(param::hfGain), "30");
    EXPECT_FLOAT_EQ(parameter(param::hfGain), 1.0f);
    EXPECT_FLOAT_EQ(views().control<FineKnob>(param::hfGain)->getValue(), 1.0f);
    EXPECT_EQ(textOf(views().readout(param::hfGain)), "18.00");
    EXPECT_TRUE(callsOf(audioMasterAutomate).empty());
    // The click announces the readout's own tag as the gesture.
    ASSERT_EQ(callsOf(audioMasterBeginEdit).size(), 1u);
    EXPECT_EQ(callsOf(audioMasterBeginEdit)[0].index, 1001);
    ASSERT_EQ(callsOf(audioMasterEndEdit).size(), 1u);
    EXPECT_EQ(callsOf(audioMasterEndEdit)[0].index, 1001);

    typeInto(views().readout(param::mfGain), "-3.5");
    EXPECT_FLOAT_EQ(parameter(param::mfGain), (-3.5f + 18.0f) / 36.0f);
    typeInto(views().readout(param::lfGain), "-18");
    EXPECT_FLOAT_EQ(parameter(param::lfGain), 0.0f);
    typeInto(views().readout(param::output), "12.5");
    EXPECT_FLOAT_EQ(parameter(param::output), 0.75f);
    typeInto(views().readout(param::hfBandwidth), "-20");
    EXPECT_FLOAT_EQ(parameter(param::hfBandwidth), 0.0f);
}

TEST_F(ReadoutTest, TextWithoutANumberMeansTheMiddle) {
    effect->setParameter(param::hfGain, 0.9f);
    typeInto(views().readout(param::hfGain), "abc");
    EXPECT_FLOAT_EQ(parameter(param::hfGain), 0.5f);
    EXPECT_EQ(textOf(views().readout(param::hfGain)), "0.00");
}

TEST_F(ReadoutTest, NanIsIgnoredAndInfinitiesClamp) {
    effect->setParameter(param::mfBandwidth, 0.3f);
    typeInto(views().readout(param::mfBandwidth), "nan");
    EXPECT_FLOAT_EQ(parameter(param::mfBandwidth), 0.3f);
    EXPECT_EQ(textOf(views().readout(param::mfBandwidth)), "-8.00");  // the field shows the unchanged value again
    typeInto(views().readout(param::mfBandwidth), "inf");
    EXPECT_FLOAT_EQ(parameter(param::mfBandwidth), 1.0f);
    typeInto(views().readout(param::mfBandwidth), "-inf");
    EXPECT_FLOAT_EQ(parameter(param::mfBandwidth), 0.0f);
}

}  // namespace
}  // namespace editor_test
