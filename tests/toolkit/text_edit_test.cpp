// Readouts and typed entry: value-to-text conversion, the 255-character text, the edit gesture
// and when the listener hears of typed text; and the text drawing of the offscreen surface.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "aeffguieditor.h"
#include "coffscreencontext.h"
#include "ctextedit.h"
#include "platform/drawn_text_field.h"
#include "test_support.h"
#include "text_rasterizer.h"

using namespace VSTGUI;

namespace {

struct TextListener : CControlListener {
    void valueChanged(CDrawContext*, CControl* control) override {
        char text[256];
        static_cast<CTextEdit*>(control)->getText(text);
        texts.push_back(text);
    }
    std::vector<std::string> texts;
};

void gainText(float value, char* text, void*) { std::snprintf(text, 256, "%2.2f", value * 36.0f - 18.0f); }

VstKeyCode typed(char c) {
    VstKeyCode code{};
    code.character = c;
    return code;
}

VstKeyCode enter() {
    VstKeyCode code{};
    code.virt = 19;
    return code;
}

struct EditBench {
    toolkit_test::RecordingEffect effect;
    AEffGUIEditor* editor = new AEffGUIEditor(&effect);
    TextListener listener;
    CFrame frame{CRect(0, 0, 200, 100), nullptr, editor};
    CTextEdit* field = new CTextEdit(CRect(10, 10, 40, 22), &listener, 1001);

    EditBench() { frame.addView(field); }
    std::vector<VstInt32> opcodes() const { return effect.opcodes(); }
};

}  // namespace

TEST(ParamDisplay, DefaultsAndConversion) {
    CParamDisplay display(CRect(0, 0, 30, 12));
    EXPECT_EQ(display.getFont(), kNormalFont);
    EXPECT_EQ(display.getFontColor(), kWhiteCColor);
    EXPECT_EQ(display.getBackColor(), kBlackCColor);
    EXPECT_EQ(display.getHoriAlign(), kCenterText);
    EXPECT_TRUE(display.getTextTransparency());
    EXPECT_EQ(display.getListener(), nullptr);
    char text[256];
    display.valueToText(0.5f, text);
    EXPECT_STREQ(text, "0.50");
    display.setStringConvert(gainText);
    display.valueToText(1.0f, text);
    EXPECT_STREQ(text, "18.00");
    EXPECT_TRUE(display.isTypeOf("CParamDisplay"));
    EXPECT_EQ(standardFont(kNormalFontVerySmall).size, 9);
}

TEST(TextEdit, TextIsLimitedTo255Characters) {
    CTextEdit edit(CRect(0, 0, 30, 12), nullptr, 1);
    std::string longText(400, 'x');
    edit.setText(longText.c_str());
    char text[256];
    edit.getText(text);
    EXPECT_EQ(std::strlen(text), 255u);
    EXPECT_TRUE(edit.isTypeOf("CTextEdit"));
    EXPECT_TRUE(edit.isTypeOf("CParamDisplay"));
    EXPECT_TRUE(edit.isTypeOf("CControl"));
}

TEST(TextEdit, TypedEntryIsOneGestureAndReportsChangedText) {
    EditBench bench;
    bench.field->setStringConvert(gainText);
    bench.field->setValue(0.5f);
    CPoint inside(20, 15);
    bench.frame.onMouseDown(inside, kLButton);
    EXPECT_TRUE(bench.field->isEditing());
    EXPECT_EQ(bench.frame.getFocusView(), bench.field);
    EXPECT_EQ(bench.opcodes(), (std::vector<VstInt32>{audioMasterBeginEdit}));
    for (char c : std::string("-3.5")) {
        VstKeyCode code = typed(c);
        EXPECT_TRUE(bench.editor->onKeyDown(code) || bench.frame.onKeyDown(code) == 1);
    }
    VstKeyCode finish = enter();
    EXPECT_EQ(bench.frame.onKeyDown(finish), 1);
    EXPECT_FALSE(bench.field->isEditing());
    EXPECT_EQ(bench.frame.getFocusView(), nullptr);
    EXPECT_EQ(bench.listener.texts, (std::vector<std::string>{"-3.5"}));
    EXPECT_EQ(bench.opcodes(), (std::vector<VstInt32>{audioMasterBeginEdit, audioMasterEndEdit}));
    EXPECT_FLOAT_EQ(bench.field->getValue(), 0.5f);  // the value is the listener's business
}

TEST(TextEdit, UnchangedTextIsNotReportedAndAnyPressEndsTheEdit) {
    EditBench bench;
    bench.field->setText("abc");
    CPoint inside(20, 15), outside(150, 80);
    bench.frame.onMouseDown(inside, kLButton);
    bench.frame.onMouseDown(outside, kLButton);
    EXPECT_FALSE(bench.field->isEditing());
    EXPECT_TRUE(bench.listener.texts.empty());
    EXPECT_EQ(bench.opcodes(), (std::vector<VstInt32>{audioMasterBeginEdit, audioMasterEndEdit}));

    // Typing replaces the selected text; Backspace edits; another control's gesture ends it.
    bench.frame.onMouseDown(inside, kLButton);
    for (char c : std::string("12")) {
        VstKeyCode code = typed(c);
        bench.frame.onKeyDown(code);
    }
    VstKeyCode back{};
    back.virt = 1;
    bench.frame.onKeyDown(back);
    auto* other = new CControl(CRect(100, 0, 110, 10), nullptr, 5);
    bench.frame.addView(other);
    other->beginEdit();
    EXPECT_EQ(bench.listener.texts, (std::vector<std::string>{"1"}));
    other->endEdit();
}

TEST(TextEdit, DrawsNothingWhileEditingAndIgnoresOtherButtons) {
    EditBench bench;
    bench.field->setText("7");
    CPoint inside(20, 15);
    bench.frame.onMouseDown(inside, kRButton);
    EXPECT_FALSE(bench.field->isEditing());
    bench.frame.onMouseDown(inside, kLButton);
    ASSERT_TRUE(bench.field->isEditing());
    COffscreenContext context(nullptr, 200, 100, kBlackCColor);
    bench.field->draw(&context);
    bool blank = true;
    for (int y = 10; y < 22; ++y) {
        for (int x = 10; x < 40; ++x) blank = blank && context.getPixel(x, y) == kBlackCColor;
    }
    EXPECT_TRUE(blank);
    EXPECT_FALSE(bench.field->isDirty());
}

TEST(OffscreenText, CentredLiberationSansInTheFontColourClippedToTheControl) {
    setOffscreenFontFile(QX71_TEST_FONT);
    CParamDisplay display(CRect(10, 10, 40, 22));
    display.setFont(kNormalFontVerySmall);
    display.setFontColor(CColor{168, 168, 168, 255});
    display.setValue(0.0f);
    COffscreenContext context(nullptr, 50, 32, kBlackCColor);
    display.draw(&context);
    int inked = 0, brightest = 0, minX = 99, maxX = -1;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 50; ++x) {
            CColor c = context.getPixel(x, y);
            if (c.red == 0) continue;
            EXPECT_TRUE(CRect(10, 10, 40, 22).pointInside(CPoint(x, y)));
            EXPECT_EQ(c.red, c.green);
            ++inked;
            brightest = std::max<int>(brightest, c.red);
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
        }
    }
    EXPECT_GT(inked, 20);
    EXPECT_LE(brightest, 168);
    EXPECT_GT(brightest, 120);
    EXPECT_LE(std::abs((minX - 10) - (39 - maxX)), 2);  // centred

    setOffscreenFontFile("/nonexistent/font.ttf");
    COffscreenContext empty(nullptr, 50, 32, kBlackCColor);
    display.draw(&empty);
    EXPECT_EQ(empty.getPixel(25, 16), kBlackCColor);
    setOffscreenFontFile(QX71_TEST_FONT);
}

TEST(TextEdit, ClosingTheFrameWhileEditingStillEndsTheGesture) {
    toolkit_test::RecordingEffect effect;
    auto* editor = new AEffGUIEditor(&effect);
    TextListener listener;
    auto* frame = new CFrame(CRect(0, 0, 100, 100), nullptr, editor);
    auto* field = new CTextEdit(CRect(0, 0, 30, 12), &listener, 1002);
    frame->addView(field);
    CPoint inside(5, 5);
    frame->onMouseDown(inside, kLButton);
    ASSERT_TRUE(field->isEditing());
    delete frame;
    EXPECT_EQ(effect.opcodes(), (std::vector<VstInt32>{audioMasterBeginEdit, audioMasterEndEdit}));
    EXPECT_TRUE(listener.texts.empty());
}

TEST(DrawnTextField, EditsLikeAnEditBoxAndEscapeGivesBackTheOpeningText) {
    TextFieldStyle style;
    style.rect = CRect(10, 10, 60, 24);
    style.font = standardFont(kNormalFontVerySmall);
    style.fontColor = CColor{255, 255, 255, 255};
    style.backColor = CColor{0, 0, 80, 255};
    style.text = "2.00";
    style.maxLength = 6;
    DrawnTextField* open = nullptr;
    auto field = std::make_unique<DrawnTextField>(style, open);
    EXPECT_EQ(open, field.get());
    auto key = [&](VstInt32 character, unsigned char virt = 0) { return field->onKey(VstKeyCode{character, virt, 0}); };
    for (char c : std::string("12.5")) EXPECT_EQ(key(c), PlatformTextField::kKeyUsed);
    EXPECT_EQ(field->getText(), "12.5") << "the first character replaces the selected text";
    key(0, VKEY_LEFT);
    key(0, VKEY_LEFT);
    key(0, VKEY_BACK);
    EXPECT_EQ(field->getText(), "1.5");
    key(0, VKEY_DELETE);
    key(0, VKEY_HOME);
    key('-');
    key(0, VKEY_END);
    for (char c : std::string("0000")) key(c);
    EXPECT_EQ(field->getText(), "-15000") << "at most maxLength characters";
    EXPECT_EQ(key(0, VKEY_UP), PlatformTextField::kKeyIgnored);
    EXPECT_EQ(key(0, VKEY_RETURN), PlatformTextField::kKeyCommits);

    // Drawn over the back buffer: the box's colour, the text, a caret after the last character.
    COffscreenContext context(nullptr, 100, 40, kBlackCColor);
    field->draw(context, CRect(0, 0, 100, 40));
    EXPECT_EQ(context.getPixel(11, 11), style.backColor);
    EXPECT_EQ(context.getPixel(5, 5), kBlackCColor) << "nothing outside the box";
    int caretColumns = 0;
    for (int x = 10; x < 60; ++x) {
        caretColumns += context.getPixel(x, 12) == style.fontColor && context.getPixel(x, 21) == style.fontColor;
    }
    EXPECT_EQ(caretColumns, 1);

    field = std::make_unique<DrawnTextField>(style, open);
    key('9');
    EXPECT_EQ(key(0, VKEY_ESCAPE), PlatformTextField::kKeyCommits);
    EXPECT_EQ(field->getText(), "2.00");
    field.reset();
    EXPECT_EQ(open, nullptr);
}
