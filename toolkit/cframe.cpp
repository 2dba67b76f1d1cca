#include "cframe.h"

#include <cmath>
#include <vector>

#include "aeffguieditor.h"
#include "platform/platform_frame.h"

namespace VSTGUI {

namespace {

CCoord deviceSize(CCoord logical, double scale) { return static_cast<CCoord>(std::floor(logical * scale + 0.5)); }

}  // namespace

CFrame::CFrame(const CRect& size, void* parentWindow, AEffGUIEditor* editor, double scale)
    : CViewContainer(CRect(0, 0, size.width(), size.height()), this),
      scale(scale),
      parentWindow(parentWindow),
      editor(editor),
      platform(
          createPlatformFrame(*this, parentWindow, deviceSize(size.width(), scale), deviceSize(size.height(), scale))) {
    if (CDrawContext* context = getBackBuffer()) context->setScale(scale);
    setDirty(true);
}

CFrame::~CFrame() {
    setFocusView(nullptr);
    removeAll(true);
    platform.reset();
}

CDrawContext* CFrame::getBackBuffer() const { return platform ? platform->backBuffer() : nullptr; }

void CFrame::redrawRect(const CRect& area) {
    CDrawContext* context = getBackBuffer();
    if (!context || area.isEmpty()) return;
    context->setOffset(CPoint());
    context->resetClipRect();
    drawRect(context, area);
    platform->present(area);
}

void CFrame::idle() {
    if (platform) platform->processEvents();
    if (CView::isDirty()) {
        redrawRect(size);
        for (CView* child : children) child->setDirty(false);
        CView::setDirty(false);
        return;
    }
    // Collect first: repainting one area draws the views that overlap it.
    std::vector<CView*> dirtyViews;
    for (CView* child : children) {
        if (child->isVisible() && child->isDirty()) dirtyViews.push_back(child);
    }
    for (CView* child : dirtyViews) {
        if (!isChild(child)) continue;
        redrawRect(child->getViewSize());
        child->setDirty(false);
    }
}

void CFrame::draw(CDrawContext* context) {
    if (!context) return;
    drawRect(context, size);
}

void CFrame::redrawView(CView* view) {
    if (view && isChild(view)) redrawRect(view->getViewSize());
}

void CFrame::setFocusView(CView* view) {
    CView* old = focusView;
    if (old == view) return;
    focusView = view;
    if (old) old->looseFocus();
    if (view && focusView == view) view->takeFocus();
}

void CFrame::beginEdit(long tag) {
    if (editor) editor->beginEdit(tag);
}

void CFrame::endEdit(long tag) {
    if (editor) editor->endEdit(tag);
}

long CFrame::getMouseButtons() const {
    long live = platform ? platform->mouseButtons() : -1;
    return live != -1 ? live : lastMouseButtons;
}

void CFrame::getMouseLocation(CPoint& where) const {
    if (!platform || !platform->mouseLocation(where)) where = lastMouseLocation;
}

CPoint CFrame::getMouseLocation() const {
    CPoint where;
    getMouseLocation(where);
    return where;
}

void CFrame::recordMouse(const CPoint& where, long buttons) {
    lastMouseLocation = where;
    lastMouseButtons = buttons;
}

CMouseEventResult CFrame::onMouseDown(CPoint& where, const long& buttons) {
    recordMouse(where, buttons);
    setFocusView(nullptr);
    return CViewContainer::onMouseDown(where, buttons);
}

CMouseEventResult CFrame::onMouseMoved(CPoint& where, const long& buttons) {
    recordMouse(where, buttons);
    return CViewContainer::onMouseMoved(where, buttons);
}

CMouseEventResult CFrame::onMouseUp(CPoint& where, const long& buttons) {
    recordMouse(where, buttons);
    return CViewContainer::onMouseUp(where, buttons);
}

long CFrame::onKeyDown(VstKeyCode& keyCode) { return focusView ? focusView->onKeyDown(keyCode) : -1; }

long CFrame::onKeyUp(VstKeyCode& keyCode) { return focusView ? focusView->onKeyUp(keyCode) : -1; }

std::unique_ptr<PlatformTextField> CFrame::openTextField(const TextFieldStyle& style) {
    return platform ? platform->openTextField(style) : nullptr;
}

bool CFrame::isTypeOf(const char* type) const { return isTypeName(type, "CFrame") || CViewContainer::isTypeOf(type); }

}  // namespace VSTGUI
