#include "cviewcontainer.h"

#include <algorithm>

#include "cbitmap.h"

namespace VSTGUI {

CViewContainer::CViewContainer(const CRect& size, CFrame* frame, CBitmap* background) : CView(size) {
    pParentFrame = frame;
    if (background) setBackground(background);
}

CViewContainer::~CViewContainer() { removeAll(true); }

void CViewContainer::addView(CView* view) {
    if (!view || isChild(view)) return;
    children.push_back(view);
    view->attached(this, pParentFrame);
    view->setDirty(true);
}

void CViewContainer::removeView(CView* view, bool withForget) {
    auto it = std::find(children.begin(), children.end(), view);
    if (it == children.end()) return;
    children.erase(it);
    forgetMouseDownView(view);
    view->attached(nullptr, nullptr);
    if (withForget) view->forget();
}

void CViewContainer::removeAll(bool withForget) {
    while (!children.empty()) removeView(children.back(), withForget);
}

void CViewContainer::forgetMouseDownView(const CView* view) {
    if (mouseDownView == view) mouseDownView = nullptr;
}

bool CViewContainer::isChild(const CView* view) const {
    return std::find(children.begin(), children.end(), view) != children.end();
}

CView* CViewContainer::getView(long index) const {
    if (index < 0 || index >= getNbViews()) return nullptr;
    return children[static_cast<std::size_t>(index)];
}

void CViewContainer::draw(CDrawContext* context) {
    drawRect(context, size);
    setDirty(false);
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& area) {
    if (!context) return;
    CRect oldClip;
    context->getClipRect(oldClip);
    CPoint oldOffset = context->getOffset();
    context->setClipRect(area.intersection(oldClip));
    if (pBackground) {
        CRect natural(size.left, size.top, size.left + pBackground->getWidth(), size.top + pBackground->getHeight());
        pBackground->draw(context, natural);
    }
    CPoint origin = childOrigin();
    context->setOffset(CPoint(oldOffset.x + origin.x, oldOffset.y + origin.y));
    CRect local = area;
    local.offset(-origin.x, -origin.y);
    CRect localClip;
    context->getClipRect(localClip);
    for (CView* child : children) {
        if (!child->isVisible() || !child->getViewSize().intersects(local)) continue;
        context->setClipRect(localClip.intersection(child->getViewSize()));
        child->draw(context);
    }
    context->setOffset(oldOffset);
    context->setClipRect(oldClip);
}

CPoint CViewContainer::toChild(const CPoint& where) const {
    CPoint origin = childOrigin();
    return CPoint(where.x - origin.x, where.y - origin.y);
}

CView* CViewContainer::getViewAt(const CPoint& where) const {
    CPoint local = toChild(where);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        CView* child = *it;
        if (child->getMouseEnabled() && child->getMouseableArea().containsInclusive(local)) return child;
    }
    return nullptr;
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const long& buttons) {
    mouseDownView = nullptr;
    CView* target = getViewAt(where);
    if (!target) return kMouseEventNotHandled;
    CPoint local = toChild(where);
    target->remember();  // the handler may remove the view from this container
    CMouseEventResult result = target->onMouseDown(local, buttons);
    if (result == kMouseEventHandled && isChild(target)) mouseDownView = target;
    target->forget();
    return result;
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const long& buttons) {
    if (!mouseDownView) return kMouseEventNotHandled;
    CPoint local = toChild(where);
    return mouseDownView->onMouseMoved(local, buttons);
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const long& buttons) {
    CView* target = mouseDownView;
    mouseDownView = nullptr;
    if (!target) return kMouseEventNotHandled;
    CPoint local = toChild(where);
    return target->onMouseUp(local, buttons);
}

bool CViewContainer::onWheel(const CPoint& where, const float& distance, const long& buttons) {
    CView* target = getViewAt(where);
    if (!target) return false;
    return target->onWheel(toChild(where), distance, buttons);
}

void CViewContainer::attached(CViewContainer* parent, CFrame* frame) {
    CView::attached(parent, frame);
    for (CView* child : children) child->attached(this, frame);
}

bool CViewContainer::isDirty() const {
    if (CView::isDirty()) return true;
    return std::any_of(children.begin(), children.end(),
                       [](const CView* child) { return child->isVisible() && child->isDirty(); });
}

bool CViewContainer::isTypeOf(const char* type) const {
    return isTypeName(type, "CViewContainer") || CView::isTypeOf(type);
}

}  // namespace VSTGUI
