// What a frame needs from the system it runs on: a back buffer to draw into, a way to show
// parts of it, the live mouse state and a text entry box.
#pragma once

#include <memory>
#include <string>

#include "../cdrawcontext.h"
#include "vst_abi.h"

namespace VSTGUI {

class CFrame;

struct TextFieldStyle {
    CRect rect;  // frame coordinates
    CFontSpec font;
    CColor fontColor;
    CColor backColor;
    std::string text;
    int maxLength = 255;
};

// An open text entry box; destroying it closes the box.
class PlatformTextField {
public:
    enum KeyResult { kKeyIgnored, kKeyUsed, kKeyCommits };

    virtual ~PlatformTextField() = default;
    virtual std::string getText() const = 0;
    // A key the host forwarded while the box is open.
    virtual KeyResult onKey(const VstKeyCode& key) = 0;
};

class PlatformFrame {
public:
    virtual ~PlatformFrame() = default;
    // The whole-frame surface the views are drawn into.
    virtual CDrawContext* backBuffer() = 0;
    // Shows the area (frame coordinates) of the back buffer on screen.
    virtual void present(const CRect& area) = 0;
    // Live button state, or -1 when the platform has none (the frame then uses the last event's).
    virtual long mouseButtons() = 0;
    // Live pointer position in frame coordinates; false when the platform has none.
    virtual bool mouseLocation(CPoint& where) = 0;
    // Opens an entry box; commit is run (later, from the event loop) when the user finishes.
    virtual std::unique_ptr<PlatformTextField> openTextField(const TextFieldStyle& style) = 0;
    // Handles the window's pending events, for systems whose hosts drive plug-in windows from
    // the editor's idle rather than a message loop (X11).
    virtual void processEvents() {}
    // The native window, or nullptr.
    virtual void* nativeWindow() { return nullptr; }
    // The file descriptor on which the window's events arrive (the X11 connection), for hosts
    // that watch it and call processEvents when it is readable; -1 where there is none.
    virtual int eventDescriptor() { return -1; }
};

// The offscreen backend: a software back buffer, presenting nothing, a text box fed by keys and
// drawn into the back buffer.
std::unique_ptr<PlatformFrame> createOffscreenPlatformFrame(CFrame& frame, CCoord width, CCoord height);
// The frame's backend for this build and parent window. On Linux a parent the editor cannot open
// a window in throws std::runtime_error, so that opening the editor fails.
std::unique_ptr<PlatformFrame> createPlatformFrame(CFrame& frame, void* parentWindow, CCoord width, CCoord height);

}  // namespace VSTGUI
