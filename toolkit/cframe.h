// The root view: a window of its own inside the host's window (or an offscreen surface without
// one). It draws its background at (0, 0) at natural size, routes presses to the top-most
// mouse-enabled view under the pointer and the rest of that gesture to the same view, holds the
// focus view, and at idle repaints what is dirty.
#pragma once

#include <memory>

#include "cviewcontainer.h"

class AEffGUIEditor;

namespace VSTGUI {

class PlatformFrame;
class PlatformTextField;
struct TextFieldStyle;

class CFrame : public CViewContainer {
public:
    // parentWindow: the host's window (HWND on Windows) or nullptr for an offscreen frame. size is
    // in logical pixels; the window and its back buffer are scale times larger (scale 1 to 3),
    // and the platform maps its device pixels back to logical ones for the views.
    CFrame(const CRect& size, void* parentWindow, AEffGUIEditor* editor, double scale = 1.0);
    ~CFrame() override;

    // Handles the window's pending events, then repaints, back to front, the area of every
    // visible dirty view and clears their dirty state.
    void idle();
    // The whole frame into the context (at the context's offset).
    void draw(CDrawContext* context) override;
    // Repaints the view's area into the back buffer now and shows it.
    void redrawView(CView* view);
    // Repaints an area (frame coordinates) into the back buffer, back to front, and shows it.
    void redrawRect(const CRect& area);

    CDrawContext* getBackBuffer() const;
    double getScale() const { return scale; }
    AEffGUIEditor* getEditor() const { return editor; }
    void* getSystemWindow() const { return parentWindow; }
    PlatformFrame* getPlatformFrame() const { return platform.get(); }

    // Changing the focus lets the old focus view know first (looseFocus).
    void setFocusView(CView* view);
    CView* getFocusView() const { return focusView; }

    void beginEdit(long tag);
    void endEdit(long tag);

    // Live button state where the platform has one, else the state of the last mouse event.
    long getMouseButtons() const;
    void getMouseLocation(CPoint& where) const;
    CPoint getMouseLocation() const;

    // Event entry points: the platform window and tests call these with frame coordinates.
    CMouseEventResult onMouseDown(CPoint& where, const long& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const long& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const long& buttons) override;
    // Sent to the focus view: 1 used, -1 not.
    long onKeyDown(VstKeyCode& keyCode) override;
    long onKeyUp(VstKeyCode& keyCode) override;

    std::unique_ptr<PlatformTextField> openTextField(const TextFieldStyle& style);

    bool isTypeOf(const char* type) const override;

protected:
    CPoint childOrigin() const override { return CPoint(); }

private:
    void recordMouse(const CPoint& where, long buttons);

    double scale;
    void* parentWindow;
    AEffGUIEditor* editor;
    CView* focusView = nullptr;
    CPoint lastMouseLocation;
    long lastMouseButtons = 0;
    std::unique_ptr<PlatformFrame> platform;
};

}  // namespace VSTGUI
