#include "click_rings.h"

#include <cmath>

#include "audio_effect.h"

using namespace VSTGUI;

namespace gui {

namespace arc {

float pressAngle(int dx, int dy, float radius) {
    float x = static_cast<float>(dx) * radius;
    float y = static_cast<float>(dy) * radius;
    float theta = static_cast<float>(std::atan2(static_cast<double>(y), static_cast<double>(x)));
    float angle = theta / 3.1415927f * 180.0f - 90.0f;
    if (angle < 0.0f) angle += 360.0f;
    return angle;
}

int bandPosition(float angle, float startAngle, float stepAngle, int positions) {
    int position = 0;
    float threshold = startAngle;
    for (int i = 0; i < positions && !(threshold > angle); ++i) {
        threshold += stepAngle;
        position = i;
    }
    return position;
}

int filterSector(float angle) {
    if (angle > 345.0f) angle = -15.0f;
    int sector = 0;
    for (float threshold = 15.0f; threshold <= 315.0f && threshold <= angle; threshold += 30.0f) ++sector;
    return sector;
}

}  // namespace arc

ClickRing::ClickRing(const CRect& size, AudioEffect* effect) : CControl(size), effect(effect) {}

void ClickRing::draw(CDrawContext* context) {
    (void)context;
    setDirty(false);
}

CMouseEventResult ClickRing::onMouseDown(CPoint& where, const long& buttons) {
    if (!getMouseEnabled() || !(resolveButtons(buttons) & kLButton)) return kMouseEventNotHandled;
    int dx = where.x - (size.left + static_cast<int>(radius));
    int dy = where.y - (size.top + static_cast<int>(radius));
    select(arc::pressAngle(dx, dy, radius));
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

BandRing::BandRing(const CRect& size, AudioEffect* effect) : ClickRing(size, effect) {}

void BandRing::select(float angle) {
    int position = arc::bandPosition(angle, startAngle, stepAngle, positions);
    if (effect) {
        effect->setParameter(paramIndex, (1.0f / static_cast<float>(positions - 1)) * static_cast<float>(position));
    }
}

bool BandRing::isTypeOf(const char* type) const {
    return isTypeName(type, "VarnokArcSwitch") || CControl::isTypeOf(type);
}

FilterRing::FilterRing(const CRect& size, AudioEffect* effect) : ClickRing(size, effect) {}

void FilterRing::select(float angle) {
    int sector = arc::filterSector(angle);
    if (!effect) return;
    if (sector <= 5) {
        effect->setParameter(kHiPassParameter, static_cast<float>(sector) * 0.2f);
    } else {
        effect->setParameter(kLoPassParameter, static_cast<float>(sector - 6) * 0.2f);
    }
}

bool FilterRing::isTypeOf(const char* type) const {
    return isTypeName(type, "VarnokEqualizerArcSwitch") || CControl::isTypeOf(type);
}

}  // namespace gui
