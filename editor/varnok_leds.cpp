#include "varnok_leds.h"

#include "cbitmap.h"
#include "clock.h"

using namespace VSTGUI;

VarnokLamp::VarnokLamp(const CRect& size, CBitmap* bitmap) : CControl(size) {
    setBackground(bitmap);
    setOldValue(-1.0f);
}

void VarnokLamp::setDirty(bool state) { CView::setDirty(state); }

void VarnokLamp::drawFrame(CDrawContext* context, bool lit) {
    if (pBackground) {
        CPoint source(0, lit ? size.height() : 0);
        if (getTransparency())
            pBackground->drawTransparent(context, size, source);
        else
            pBackground->draw(context, size, source);
    }
    setDirty(false);
}

VarnokOnOffLed::VarnokOnOffLed(const CRect& size, CBitmap* bitmap, const SectionLampState& state)
    : VarnokLamp(size, bitmap), state(state) {}

void VarnokOnOffLed::draw(CDrawContext* context) { drawFrame(context, state.lit()); }

bool VarnokOnOffLed::isTypeOf(const char* type) const {
    return isTypeName(type, "VarnokOnOffLed") || CControl::isTypeOf(type);
}

VarnokPeakLed::VarnokPeakLed(const CRect& size, CBitmap* bitmap, std::atomic<double>& peakLevel)
    : VarnokLamp(size, bitmap), peakLevel(peakLevel), lastTick(qx71::nowMs()) {}

void VarnokPeakLed::draw(CDrawContext* context) {
    std::uint32_t now = qx71::nowMs();
    // Taking the level and leaving 0 in one step loses no peak raised meanwhile.
    double level = peakLevel.exchange(0.0);
    bool lit;
    if (level > 1.0) {
        holding = true;
        lit = true;
        lastTick = now;
    } else if (holding && now - lastTick < holdMs) {
        lit = true;
    } else {
        holding = false;
        lit = false;
        lastTick = now;
    }
    drawFrame(context, lit);
}

bool VarnokPeakLed::isTypeOf(const char* type) const {
    return isTypeName(type, "VarnokPeakLed") || CControl::isTypeOf(type);
}
