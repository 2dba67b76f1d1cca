// A control that shows its value as text: converted by a hook if one is set, else "%2.2f".
// With text transparency on only the text is drawn; otherwise a filled, framed box behind it.
#pragma once

#include "ccontrol.h"
#include "cfont.h"

namespace VSTGUI {

enum CParamDisplayStyle : long { kNoFrame = 1 };

using CStringConvert = void (*)(float value, char* text, void* userData);

class CParamDisplay : public CControl {
public:
    static constexpr int kTextSize = 256;

    CParamDisplay(const CRect& size, CBitmap* background = nullptr, long style = 0);

    void draw(CDrawContext* context) override;

    void setStringConvert(CStringConvert convert, void* userData = nullptr);
    // The text for a value: the hook's, or "%2.2f".
    void valueToText(float value, char* text) const;

    void setFont(CFont newFont) {
        font = newFont;
        setDirty();
    }
    CFont getFont() const { return font; }
    void setFontColor(const CColor& color) {
        fontColor = color;
        setDirty();
    }
    const CColor& getFontColor() const { return fontColor; }
    void setBackColor(const CColor& color) {
        backColor = color;
        setDirty();
    }
    const CColor& getBackColor() const { return backColor; }
    void setFrameColor(const CColor& color) {
        frameColor = color;
        setDirty();
    }
    const CColor& getFrameColor() const { return frameColor; }
    void setHoriAlign(CHoriTxtAlign align) {
        horiTxtAlign = align;
        setDirty();
    }
    CHoriTxtAlign getHoriAlign() const { return horiTxtAlign; }
    void setTextTransparency(bool state) {
        textTransparencyEnabled = state;
        setDirty();
    }
    bool getTextTransparency() const { return textTransparencyEnabled; }
    long getStyle() const { return style; }

    bool isTypeOf(const char* type) const override;

protected:
    // Background (unless transparent) and the text, clipped to the control.
    void drawText(CDrawContext* context, const char* text);
    bool hasStringConvert() const { return stringConvert != nullptr; }

    long style;
    CFont font = kNormalFont;
    CColor fontColor = kWhiteCColor;
    CColor backColor = kBlackCColor;
    CColor frameColor = kBlackCColor;
    CHoriTxtAlign horiTxtAlign = kCenterText;
    bool textTransparencyEnabled = true;

private:
    CStringConvert stringConvert = nullptr;
    void* stringConvertUserData = nullptr;
};

}  // namespace VSTGUI
