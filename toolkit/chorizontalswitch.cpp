#include "chorizontalswitch.h"

#include "cbitmap.h"

namespace VSTGUI {

CHorizontalSwitch::CHorizontalSwitch(const CRect& size, CControlListener* listener, long tag, long subPixmaps,
                                     CCoord heightOfOneImage, long iMaxPositions, CBitmap* background,
                                     const CPoint& offset)
    : CControl(size, listener, tag, background),
      subPixmaps(subPixmaps),
      heightOfOneImage(heightOfOneImage),
      iMaxPositions(iMaxPositions),
      offset(offset) {
    defaultValue = 0.0f;
}

void CHorizontalSwitch::draw(CDrawContext* context) {
    long index = static_cast<long>(value * (iMaxPositions - 1) + 0.5f);
    drawBackground(context, CPoint(offset.x, offset.y + heightOfOneImage * index));
    setDirty(false);
}

void CHorizontalSwitch::setValueFromPoint(const CPoint& where) {
    if (iMaxPositions < 2) {
        value = 0.0f;
        return;
    }
    // The positions divide the bitmap's width; a switch without a bitmap uses its own width
    // rather than dividing by zero.
    CCoord width = pBackground && pBackground->getWidth() > 0 ? pBackground->getWidth() : size.width();
    double positionWidth = static_cast<double>(width) / iMaxPositions;
    long index = static_cast<long>((where.x - size.left) / positionWidth);
    value = static_cast<float>(index) / static_cast<float>(iMaxPositions - 1);
    if (value > 1.0f) {
        value = 1.0f;
    } else if (value < 0.0f) {
        value = 0.0f;
    }
}

CMouseEventResult CHorizontalSwitch::onMouseDown(CPoint& where, const long& buttons) {
    long state = resolveButtons(buttons);
    if (!getMouseEnabled() || !(state & kLButton)) return kMouseEventNotHandled;
    if (checkDefaultValue(state)) return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    tracking = true;
    beginEdit();
    return onMouseMoved(where, state);
}

CMouseEventResult CHorizontalSwitch::onMouseMoved(CPoint& where, const long& buttons) {
    (void)buttons;
    if (!tracking) return kMouseEventNotHandled;
    setValueFromPoint(where);
    if (isDirty()) notifyValueChanged();
    return kMouseEventHandled;
}

CMouseEventResult CHorizontalSwitch::onMouseUp(CPoint& where, const long& buttons) {
    (void)where, (void)buttons;
    if (!tracking) return kMouseEventNotHandled;
    tracking = false;
    endEdit();
    return kMouseEventHandled;
}

bool CHorizontalSwitch::isTypeOf(const char* type) const {
    return isTypeName(type, "CHorizontalSwitch") || CControl::isTypeOf(type);
}

}  // namespace VSTGUI
