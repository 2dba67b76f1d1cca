#include "lamps.h"

#include "cbitmap.h"
#include "clock.h"

using namespace VSTGUI;

namespace gui {

TwoFrameLamp::TwoFrameLamp(const CRect& size, CBitmap* bitmap) : CControl(size) {
    setBackground(bitmap);
    setOldValue(-1.0f);
}

void TwoFrameLamp::setDirty(bool state) { CView::setDirty(state); }

void TwoFrameLamp::drawFrame(CDrawContext* context, bool lit) {
    if (pBackground) {
        CPoint source(0, lit ? size.height() : 0);
        if (getTransparency()) {
            pBackground->drawTransparent(context, size, source);
        } else {
            pBackground->draw(context, size, source);
        }
    }
    setDirty(false);
}

SectionLamp::SectionLamp(const CRect& size, CBitmap* bitmap, const SectionLampState& state)
    : TwoFrameLamp(size, bitmap), state(state) {}

void SectionLamp::draw(CDrawContext* context) { drawFrame(context, state.lit()); }

bool SectionLamp::isTypeOf(const char* type) const {
    return isTypeName(type, "VarnokOnOffLed") || CControl::isTypeOf(type);
}

ClipLamp::ClipLamp(const CRect& size, CBitmap* bitmap, std::atomic<double>& peakLevel)
    : TwoFrameLamp(size, bitmap), peakLevel(peakLevel), lastTick(qx71::nowMs()) {}

void ClipLamp::draw(CDrawContext* context) {
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

bool ClipLamp::isTypeOf(const char* type) const {
    return isTypeName(type, "VarnokPeakLed") || CControl::isTypeOf(type);
}

}  // namespace gui
