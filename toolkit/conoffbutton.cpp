#include "conoffbutton.h"

#include "cbitmap.h"
#include "cframe.h"

namespace VSTGUI {

COnOffButton::COnOffButton(const CRect& size, CControlListener* listener, long tag, CBitmap* background, long style)
    : CControl(size, listener, tag, background), style(style) {}

void COnOffButton::draw(CDrawContext* context) {
    if (pBackground) drawBackground(context, CPoint(0, value != 0.0f ? pBackground->getHeight() / 2 : 0));
    setDirty(false);
}

CMouseEventResult COnOffButton::onMouseDown(CPoint& where, const long& buttons) {
    (void)where;
    if (!getMouseEnabled() || !(resolveButtons(buttons) & kLButton)) return kMouseEventNotHandled;
    value = static_cast<long>(value) != 0 ? 0.0f : 1.0f;
    if (listener) {
        if ((style & kPreListenerUpdate) && getFrame()) getFrame()->redrawView(this);
        beginEdit();
        notifyValueChanged();
        endEdit();
    }
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool COnOffButton::isTypeOf(const char* type) const {
    return isTypeName(type, "COnOffButton") || CControl::isTypeOf(type);
}

}  // namespace VSTGUI
