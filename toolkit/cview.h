// The base of everything shown in a frame: a rectangle in its parent's coordinates, a mouse area,
// an optional background bitmap, dirty and visibility state, and the event entry points.
// Mouse input is event driven: a press, then moves and a release delivered to the view that
// handled the press.
#pragma once

#include "cdrawcontext.h"
#include "creference_counter.h"
#include "geometry.h"
#include "vst_abi.h"

namespace VSTGUI {

class CBitmap;
class CFrame;
class CViewContainer;

// Button-state bits handed with every mouse event.
enum CButton : long {
    kLButton = 1,
    kMButton = 2,
    kRButton = 4,
    kShift = 8,
    kControl = 16,
    kAlt = 32,
    kApple = 64,
};

enum CMouseEventResult {
    kMouseEventNotHandled = 0,
    kMouseEventHandled,  // the view wants the moves and the release of this gesture
    kMouseDownEventHandledButDontNeedMovedOrUpEvents,
};

class CView : public CReferenceCounter {
public:
    explicit CView(const CRect& size);
    ~CView() override;

    virtual void draw(CDrawContext* context);
    virtual bool isDirty() const { return dirty; }
    virtual void setDirty(bool state = true) { dirty = state; }
    void invalid() { setDirty(true); }

    virtual CMouseEventResult onMouseDown(CPoint& where, const long& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const long& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const long& buttons);
    // true when the wheel was used.
    virtual bool onWheel(const CPoint& where, const float& distance, const long& buttons);
    // 1 when the key was used, -1 otherwise.
    virtual long onKeyDown(VstKeyCode& keyCode);
    virtual long onKeyUp(VstKeyCode& keyCode);

    virtual void takeFocus() {}
    virtual void looseFocus() {}

    void setMouseEnabled(bool enabled) { mouseEnabled = enabled; }
    bool getMouseEnabled() const { return mouseEnabled; }
    // The area that takes presses (frame coordinates for children of the frame); set to the
    // view's rectangle at construction and not moved by later size changes.
    void setMouseableArea(const CRect& area) { mouseableArea = area; }
    const CRect& getMouseableArea() const { return mouseableArea; }
    void getMouseableArea(CRect& area) const { area = mouseableArea; }

    virtual void setViewSize(const CRect& rect) {
        size = rect;
        setDirty();
    }
    const CRect& getViewSize() const { return size; }
    void getViewSize(CRect& rect) const { rect = size; }
    CCoord getWidth() const { return size.width(); }
    CCoord getHeight() const { return size.height(); }

    void setTransparency(bool state) { transparent = state; }
    bool getTransparency() const { return transparent; }
    void setVisible(bool state) {
        visible = state;
        setDirty();
    }
    bool isVisible() const { return visible; }

    // Releases the old bitmap, retains the new one and marks the view dirty.
    virtual void setBackground(CBitmap* background);
    CBitmap* getBackground() const { return pBackground; }

    CFrame* getFrame() const { return pParentFrame; }
    CViewContainer* getParentView() const { return pParentView; }
    // Called by the container that takes the view (both null when it lets the view go).
    virtual void attached(CViewContainer* parent, CFrame* frame) {
        pParentView = parent;
        pParentFrame = frame;
    }

    // Exact, case-sensitive class name, own class first, then the bases'.
    virtual bool isTypeOf(const char* type) const;

protected:
    // The block of the background bitmap at source, into the view's rectangle: transparent
    // drawing when the transparency flag is set, plain otherwise. Nothing without a bitmap.
    void drawBackground(CDrawContext* context, const CPoint& source = CPoint());

    CRect size;
    CRect mouseableArea;
    CBitmap* pBackground = nullptr;
    CFrame* pParentFrame = nullptr;
    CViewContainer* pParentView = nullptr;

private:
    bool dirty = false;
    bool mouseEnabled = true;
    bool transparent = false;
    bool visible = true;
};

// Compares class names for isTypeOf.
bool isTypeName(const char* type, const char* name);

}  // namespace VSTGUI
