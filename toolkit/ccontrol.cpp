#include "ccontrol.h"

#include "cframe.h"

namespace VSTGUI {

CControl::CControl(const CRect& size, CControlListener* listener, long tag, CBitmap* background)
    : CView(size), listener(listener), tag(tag) {
    if (background) setBackground(background);
}

void CControl::bounceValue() {
    if (value > vmax) {
        value = vmax;
    } else if (value < vmin) {
        value = vmin;
    }
}

void CControl::beginEdit() {
    if (CFrame* frame = getFrame()) {
        frame->setFocusView(this);
        frame->beginEdit(tag);
    }
}

void CControl::endEdit() {
    if (CFrame* frame = getFrame()) frame->endEdit(tag);
}

bool CControl::checkDefaultValue(long button) {
    if (button != (kLButton | kControl)) return false;
    beginEdit();
    value = defaultValue;
    if (isDirty()) notifyValueChanged();
    endEdit();
    return true;
}

bool CControl::isDirty() const { return value != oldValue || CView::isDirty(); }

void CControl::setDirty(bool state) {
    CView::setDirty(state);
    if (state) {
        oldValue = value != -1.0f ? -1.0f : 0.0f;
    } else {
        oldValue = value;
    }
}

bool CControl::isTypeOf(const char* type) const { return isTypeName(type, "CControl") || CView::isTypeOf(type); }

void CControl::notifyValueChanged() {
    if (listener) listener->valueChanged(frameContext(), this);
}

long CControl::resolveButtons(long buttons) const {
    if (buttons != -1) return buttons;
    return getFrame() ? getFrame()->getMouseButtons() : 0;
}

CDrawContext* CControl::frameContext() const { return getFrame() ? getFrame()->getBackBuffer() : nullptr; }

}  // namespace VSTGUI
