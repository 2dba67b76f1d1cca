#include "cparamdisplay.h"

#include <cstdio>

namespace VSTGUI {

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, long style)
    : CControl(size, nullptr, 0, background), style(style) {}

void CParamDisplay::setStringConvert(CStringConvert convert, void* userData) {
    stringConvert = convert;
    stringConvertUserData = userData;
    setDirty();
}

void CParamDisplay::valueToText(float v, char* text) const {
    text[0] = 0;
    if (stringConvert) {
        stringConvert(v, text, stringConvertUserData);
    } else {
        std::snprintf(text, kTextSize, "%2.2f", v);
    }
}

void CParamDisplay::draw(CDrawContext* context) {
    char text[kTextSize];
    valueToText(value, text);
    drawText(context, text);
    setDirty(false);
}

void CParamDisplay::drawText(CDrawContext* context, const char* text) {
    if (!context) return;
    if (!textTransparencyEnabled) {
        if (pBackground) {
            drawBackground(context);
        } else {
            context->setFillColor(backColor);
            context->fillRect(size);
        }
        if (!(style & kNoFrame)) {
            context->setFrameColor(frameColor);
            context->drawRect(size);
        }
    }
    CRect oldClip;
    context->getClipRect(oldClip);
    context->setClipRect(oldClip.intersection(size));
    context->setFont(font);
    context->setFontColor(fontColor);
    context->drawString(text, size, horiTxtAlign);
    context->setClipRect(oldClip);
}

bool CParamDisplay::isTypeOf(const char* type) const {
    return isTypeName(type, "CParamDisplay") || CControl::isTypeOf(type);
}

}  // namespace VSTGUI
