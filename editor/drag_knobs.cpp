#include "drag_knobs.h"

using namespace VSTGUI;

namespace gui {

namespace {

// Right and up count positive, left and down negative.
int travel(const CPoint& from, const CPoint& to) { return (to.x - from.x) - (to.y - from.y); }

}  // namespace

CMouseEventResult DragKnob::onMouseDown(CPoint& where, const long& buttons) {
    long state = buttons;
    PressStart start = startPress(state);
    if (start == kPressIgnored) return kMouseEventNotHandled;
    if (start == kPressConsumed) return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    startDrag(where, state);
    lastSeen = CPoint(-1, -1);
    dragging = true;
    beginEdit();
    track(where, state);  // the drag's first pass sees the press point
    return kMouseEventHandled;
}

void DragKnob::track(const CPoint& where, long buttons) {
    if (where == lastSeen) return;
    lastSeen = where;
    dragTo(where, buttons);
}

void DragKnob::commitValue(float newValue) {
    value = newValue;
    bounceValue();
    if (isDirty()) notifyValueChanged();
}

CMouseEventResult DragKnob::onMouseMoved(CPoint& where, const long& buttons) {
    if (!dragging) return kMouseEventNotHandled;
    track(where, buttons);
    if (!(buttons & kLButton)) {  // the button went up without a release event
        return onMouseUp(where, buttons);
    }
    return kMouseEventHandled;
}

SelectorKnob::SelectorKnob(const CRect& size, CControlListener* listener, long tag, long frames, CCoord frameHeight,
                           CBitmap* bitmap, const CPoint& offset)
    : DragKnob(size, listener, tag, frames, frameHeight, bitmap, offset) {}

void SelectorKnob::startDrag(const CPoint& where, long buttons) {
    (void)buttons;
    startValue = value;
    anchor = where;
}

void SelectorKnob::dragTo(const CPoint& where, long buttons) {
    (void)buttons;
    commitValue(startValue + static_cast<float>(travel(anchor, where)) * ((vmax - vmin) / dragRange));
}

bool SelectorKnob::isTypeOf(const char* type) const {
    return isTypeName(type, "VarnokKnob") || CAnimKnob::isTypeOf(type);
}

FineKnob::FineKnob(const CRect& size, CControlListener* listener, long tag, long frames, CCoord frameHeight,
                   CBitmap* bitmap, const CPoint& offset)
    : DragKnob(size, listener, tag, frames, frameHeight, bitmap, offset) {}

void FineKnob::startDrag(const CPoint& where, long buttons) {
    referenceButtons = buttons;
    anchor = where;
    startValue = value;
    stepSize = 1.0f / (((buttons & kShift) ? 10.0f : 1.0f) * steps);
}

void FineKnob::dragTo(const CPoint& where, long buttons) {
    if (buttons != referenceButtons) {
        // A button or modifier changed: count from here, so the change causes no jump.
        startDrag(where, buttons);
        return;
    }
    float pixelsPerStep = dragRange / steps;
    int wholeSteps = static_cast<int>(static_cast<float>(travel(anchor, where)) / pixelsPerStep);
    commitValue(startValue + static_cast<float>(wholeSteps) * stepSize);
}

bool FineKnob::isTypeOf(const char* type) const { return isTypeName(type, "VarnokKnobP") || CAnimKnob::isTypeOf(type); }

}  // namespace gui
