#include "cknob.h"

#include <cmath>

#include "cbitmap.h"

namespace VSTGUI {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr float kLinearPixelsForRange = 200.0f;
long knobMode = kCircularMode;

}  // namespace

CKnob::CKnob(const CRect& size, CControlListener* listener, long tag, CBitmap* background, CBitmap* handle,
             const CPoint& offset)
    : CControl(size, listener, tag, background),
      offset(offset),
      startAngle(static_cast<float>(5.0 * kPi / 4.0)),
      rangeAngle(static_cast<float>(-3.0 * kPi / 2.0)) {
    setHandleBitmap(handle);
}

CKnob::~CKnob() {
    if (pHandle) pHandle->forget();
}

void CKnob::setHandleBitmap(CBitmap* handle) {
    if (handle) handle->remember();
    if (pHandle) pHandle->forget();
    pHandle = handle;
    setDirty(true);
}

void CKnob::setKnobMode(long mode) { knobMode = mode; }

long CKnob::getKnobMode() { return knobMode; }

void CKnob::draw(CDrawContext* context) {
    drawBackground(context, offset);
    if (pHandle) {
        CPoint tip;
        valueToPoint(tip);
        CCoord w = pHandle->getWidth(), h = pHandle->getHeight();
        CRect handleRect(0, 0, w, h);
        handleRect.offset(size.left + tip.x - w / 2, size.top + tip.y - h / 2);
        pHandle->drawTransparent(context, handleRect);
    }
    setDirty(false);
}

void CKnob::valueToPoint(CPoint& point) const {
    double alpha = startAngle + static_cast<double>(value) * rangeAngle;
    double r = size.width() / 2.0;
    point.x = static_cast<CCoord>(r + std::cos(alpha) * (r - inset) + 0.5);
    point.y = static_cast<CCoord>(r - std::sin(alpha) * (r - inset) + 0.5);
}

float CKnob::valueFromPoint(const CPoint& point) const {
    double r = size.width() / 2.0;
    double alpha = std::atan2(r - point.y, point.x - r);
    // Angles in the gap below the knob belong to its ends: put them past the start angle.
    if (alpha < startAngle + rangeAngle - (2 * kPi + rangeAngle) / 2) alpha += 2 * kPi;
    return static_cast<float>((alpha - startAngle) / rangeAngle);
}

CKnob::PressStart CKnob::startPress(long& buttons) {
    if (!getMouseEnabled()) return kPressIgnored;
    buttons = resolveButtons(buttons);
    if (!(buttons & kLButton)) return kPressIgnored;
    if ((buttons & (kShift | kControl | kAlt | kApple)) && listener &&
        listener->controlModifierClicked(frameContext(), this, buttons) != 0)
        return kPressConsumed;
    if (checkDefaultValue(buttons)) return kPressConsumed;
    return kPressStartsDrag;
}

CMouseEventResult CKnob::onMouseDown(CPoint& where, const long& buttons) {
    long state = buttons;
    PressStart start = startPress(state);
    if (start == kPressIgnored) return kMouseEventNotHandled;
    if (start == kPressConsumed) return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    dragging = true;
    dragStartValue = value;
    dragStartPoint = where;
    beginEdit();
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseMoved(CPoint& where, const long& buttons) {
    if (!dragging) return kMouseEventNotHandled;
    CPoint local(where.x - size.left, where.y - size.top);
    CPoint start(dragStartPoint.x - size.left, dragStartPoint.y - size.top);
    float range = vmax - vmin;
    if (knobMode == kLinearMode) {
        float pixels = kLinearPixelsForRange * ((buttons & kShift) ? 10.0f : 1.0f);
        value = dragStartValue +
                static_cast<float>((where.x - dragStartPoint.x) - (where.y - dragStartPoint.y)) * range / pixels;
    } else if (knobMode == kRelativCircularMode) {
        value = dragStartValue + (valueFromPoint(local) - valueFromPoint(start)) * range;
    } else {
        value = vmin + valueFromPoint(local) * range;
    }
    bounceValue();
    if (isDirty()) notifyValueChanged();
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseUp(CPoint& where, const long& buttons) {
    (void)where, (void)buttons;
    if (!dragging) return kMouseEventNotHandled;
    dragging = false;
    endEdit();
    return kMouseEventHandled;
}

void CKnob::nudgeValue(float delta) {
    value += delta;
    bounceValue();
    if (isDirty()) {
        beginEdit();
        notifyValueChanged();
        endEdit();
    }
}

bool CKnob::onWheel(const CPoint& where, const float& distance, const long& buttons) {
    (void)where;
    if (!getMouseEnabled()) return false;
    nudgeValue(distance * wheelInc * ((buttons & kShift) ? 0.1f : 1.0f));
    return true;
}

long CKnob::onKeyDown(VstKeyCode& keyCode) {
    float step = wheelInc * ((keyCode.modifier & MODIFIER_SHIFT) ? 0.1f : 1.0f);
    switch (keyCode.virt) {
        case VKEY_UP:
        case VKEY_RIGHT: nudgeValue(step); return 1;
        case VKEY_DOWN:
        case VKEY_LEFT: nudgeValue(-step); return 1;
        default: return -1;
    }
}

bool CKnob::isTypeOf(const char* type) const { return isTypeName(type, "CKnob") || CControl::isTypeOf(type); }

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, long tag, long subPixmaps, CCoord heightOfOneImage,
                     CBitmap* background, const CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset),
      subPixmaps(subPixmaps),
      heightOfOneImage(heightOfOneImage) {
    inset = 0;
}

CCoord CAnimKnob::frameOffsetForValue() const {
    if (value < 0 || heightOfOneImage <= 0) return 0;
    CCoord last = heightOfOneImage * (subPixmaps - 1);
    CCoord y = static_cast<CCoord>(value * static_cast<float>(last));
    if (y < last) y -= y % heightOfOneImage;
    return bInverseBitmap ? last - y : y;
}

void CAnimKnob::draw(CDrawContext* context) {
    drawBackground(context, CPoint(offset.x, offset.y + frameOffsetForValue()));
    valueToPoint(lastDrawnPoint);
    setDirty(false);
}

bool CAnimKnob::isDirty() const {
    if (!CView::isDirty()) {
        CPoint point;
        valueToPoint(point);
        if (point == lastDrawnPoint) return false;
    }
    return CKnob::isDirty();
}

bool CAnimKnob::isTypeOf(const char* type) const { return isTypeName(type, "CAnimKnob") || CKnob::isTypeOf(type); }

}  // namespace VSTGUI
