// A view that holds child views in stacking order: drawn first to last, asked for presses last
// to first. Adding a view hands the creator's reference to the container, which releases it
// when the view is removed or the container destroyed.
#pragma once

#include <vector>

#include "cview.h"

namespace VSTGUI {

class CViewContainer : public CView {
public:
    CViewContainer(const CRect& size, CFrame* frame, CBitmap* background = nullptr);
    ~CViewContainer() override;

    void addView(CView* view);
    // Takes the view out; withForget releases the container's reference.
    void removeView(CView* view, bool withForget = true);
    void removeAll(bool withForget = true);
    bool isChild(const CView* view) const;
    long getNbViews() const { return static_cast<long>(children.size()); }
    CView* getView(long index) const;

    // Background at its natural size, then every visible child that meets the area, clipped to it.
    void draw(CDrawContext* context) override;
    virtual void drawRect(CDrawContext* context, const CRect& area);

    // The top-most mouse-enabled child whose mouse area holds the point (edges included), or null.
    CView* getViewAt(const CPoint& where) const;

    CMouseEventResult onMouseDown(CPoint& where, const long& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const long& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const long& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const long& buttons) override;

    // Children follow their container into (or out of) a frame.
    void attached(CViewContainer* parent, CFrame* frame) override;

    bool isDirty() const override;
    bool isTypeOf(const char* type) const override;

protected:
    // Where children sit inside this container (its top-left corner, except for the frame).
    virtual CPoint childOrigin() const { return CPoint(size.left, size.top); }
    CPoint toChild(const CPoint& where) const;
    void forgetMouseDownView(const CView* view);

    std::vector<CView*> children;
    CView* mouseDownView = nullptr;  // the child that took the current press
};

}  // namespace VSTGUI
