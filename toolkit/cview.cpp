#include "cview.h"

#include <cstring>

#include "cbitmap.h"

namespace VSTGUI {

bool isTypeName(const char* type, const char* name) { return type && std::strcmp(type, name) == 0; }

CView::CView(const CRect& size) : size(size), mouseableArea(size) {}

CView::~CView() {
    if (pBackground) pBackground->forget();
}

void CView::drawBackground(CDrawContext* context, const CPoint& source) {
    if (!pBackground) return;
    if (transparent) {
        pBackground->drawTransparent(context, size, source);
    } else {
        pBackground->draw(context, size, source);
    }
}

void CView::draw(CDrawContext* context) {
    drawBackground(context);
    setDirty(false);
}

CMouseEventResult CView::onMouseDown(CPoint& where, const long& buttons) {
    (void)where, (void)buttons;
    return kMouseEventNotHandled;
}

CMouseEventResult CView::onMouseMoved(CPoint& where, const long& buttons) {
    (void)where, (void)buttons;
    return kMouseEventNotHandled;
}

CMouseEventResult CView::onMouseUp(CPoint& where, const long& buttons) {
    (void)where, (void)buttons;
    return kMouseEventNotHandled;
}

bool CView::onWheel(const CPoint& where, const float& distance, const long& buttons) {
    (void)where, (void)distance, (void)buttons;
    return false;
}

long CView::onKeyDown(VstKeyCode& keyCode) {
    (void)keyCode;
    return -1;
}

long CView::onKeyUp(VstKeyCode& keyCode) {
    (void)keyCode;
    return -1;
}

void CView::setBackground(CBitmap* background) {
    if (background) background->remember();
    if (pBackground) pBackground->forget();
    pBackground = background;
    setDirty(true);
}

bool CView::isTypeOf(const char* type) const { return isTypeName(type, "CView"); }

}  // namespace VSTGUI
