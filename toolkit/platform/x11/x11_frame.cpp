#include "x11_frame.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

#include "../../cframe.h"
#include "../../clock.h"
#include "../../coffscreencontext.h"
#include "../drawn_text_field.h"
#include "x11_error_trap.h"
#include "x11_input.h"
#include "x11_pixels.h"

namespace VSTGUI {
namespace {

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask |
                            StructureNotifyMask | FocusChangeMask;
constexpr unsigned int kDragMask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
constexpr unsigned int kButtonMasks = Button1Mask | Button2Mask | Button3Mask;

void logProblem(const char* what) { std::fprintf(stderr, "QX71G editor: %s\n", what); }

// Xvfb 21.1 was seen to drop about one in a hundred connections opened right after another
// was closed; a host opening and closing editors quickly would meet that as a refused open.
Display* openDisplay() {
    constexpr int kAttempts = 3;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (Display* display = XOpenDisplay(nullptr)) return display;
    }
    return nullptr;
}

int nativeByteOrder() {
    const std::uint16_t probe = 1;
    return *reinterpret_cast<const unsigned char*>(&probe) ? LSBFirst : MSBFirst;
}

CRect unite(const CRect& a, const CRect& b) {
    if (a.isEmpty()) return b;
    if (b.isEmpty()) return a;
    return CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom));
}

class X11PlatformFrame : public PlatformFrame {
public:
    X11PlatformFrame(CFrame& frame, CCoord width, CCoord height)
        : frame(frame), surface(&frame, width, height), width(width), height(height) {}

    ~X11PlatformFrame() override {
        if (!display) return;
        {
            X11ErrorTrap trap(display);
            if (tracking) XUngrabPointer(display, CurrentTime);
            if (window) XDestroyWindow(display, window);  // an error if the host destroyed it first
            if (gc) XFreeGC(display, gc);
        }
        if (image) XDestroyImage(image);  // frees the pixels too
        XCloseDisplay(display);
    }

    bool create(Window parent) {
        if (!surface.isValid()) return false;
        display = openDisplay();
        if (!display) {
            logProblem("no X display can be opened");
            return false;
        }
        X11ErrorTrap trap(display);
        XWindowAttributes parentAttributes{};
        if (!XGetWindowAttributes(display, parent, &parentAttributes) || trap.failed()) {
            logProblem("the host's parent is not an X window");
            return false;
        }
        if (!createImage(parentAttributes.visual, parentAttributes.depth)) return false;
        XSetWindowAttributes attributes{};
        attributes.background_pixmap = None;
        attributes.border_pixel = 0;
        attributes.colormap = parentAttributes.colormap;
        attributes.event_mask = kEventMask;
        window = XCreateWindow(display, parent, 0, 0, width, height, 0, parentAttributes.depth, InputOutput,
                               parentAttributes.visual, CWBackPixmap | CWBorderPixel | CWColormap | CWEventMask,
                               &attributes);
        if (trap.failed()) {
            window = 0;
            logProblem("the editor's window cannot be made");
            return false;
        }
        gc = XCreateGC(display, window, 0, nullptr);
        XMapWindow(display, window);
        return !trap.failed();
    }

    CDrawContext* backBuffer() override { return &surface; }

    void present(const CRect& area) override {
        if (textField) textField->draw(surface, area);
        CRect inside = surface.deviceRect(area).intersection(CRect(0, 0, width, height));
        if (!window || inside.isEmpty()) return;
        packPixels(*surface.pixels(), inside, layout, reinterpret_cast<std::uint32_t*>(image->data));
        X11ErrorTrap trap(display);
        XPutImage(display, window, gc, image, inside.left, inside.top, inside.left, inside.top, inside.width(),
                  inside.height());
    }

    // The last event's state serves: asking the server would be a round trip per question.
    long mouseButtons() override { return -1; }
    bool mouseLocation(CPoint&) override { return false; }

    std::unique_ptr<PlatformTextField> openTextField(const TextFieldStyle& style) override {
        auto field = std::make_unique<DrawnTextField>(style, textField);
        takeKeyboard(CurrentTime);
        return field;
    }

    void processEvents() override {
        // A control may run the editor's idle from inside an event.
        if (!display || processing) return;
        processing = true;
        X11ErrorTrap trap(display);
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            handle(event);
        }
        if (!exposed.isEmpty()) {
            CRect area = exposed;
            exposed = CRect();
            frame.redrawRect(surface.frameRect(area));
        }
        if (textField && textField->blink(qx71::nowMs())) frame.redrawRect(textField->area());
        processing = false;
    }

    void* nativeWindow() override { return reinterpret_cast<void*>(window); }
    int eventDescriptor() override { return display ? ConnectionNumber(display) : -1; }

private:
    bool createImage(Visual* visual, int depth) {
        auto* pixels = static_cast<char*>(std::calloc(static_cast<std::size_t>(width) * height, 4));
        if (!pixels) return false;
        image = XCreateImage(display, visual, depth, ZPixmap, 0, pixels, width, height, 32, 0);
        if (!image) {
            std::free(pixels);
            return false;
        }
        image->byte_order = nativeByteOrder();  // XPutImage swaps for the server if it must
        auto found = channelLayout(visual->c_class, depth, image->bits_per_pixel, visual->red_mask, visual->green_mask,
                                   visual->blue_mask);
        if (!found) {
            char line[160];
            std::snprintf(line, sizeof line,
                          "the host window's visual (class %d, depth %d, %d bits per pixel) is not 24 or 32-bit "
                          "TrueColor; the editor does not open",
                          visual->c_class, depth, image->bits_per_pixel);
            logProblem(line);
            return false;
        }
        layout = *found;
        return true;
    }

    void takeKeyboard(Time time) {
        if (!window) return;
        X11ErrorTrap trap(display);
        XSetInputFocus(display, window, RevertToParent, time);
    }

    void handle(XEvent& event) {
        switch (event.type) {
            case Expose:
                exposed = unite(exposed, CRect(event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                                               event.xexpose.y + event.xexpose.height));
                break;
            case ButtonPress: press(event.xbutton); break;
            case MotionNotify: {
                CPoint where = surface.framePoint(CPoint(event.xmotion.x, event.xmotion.y));
                frame.onMouseMoved(where, toolkitButtons(event.xmotion.state));
                break;
            }
            case ButtonRelease: release(event.xbutton); break;
            case KeyPress: {
                VstKeyCode key;
                if (toolkitKey(event.xkey, key)) {
                    frame.onKeyDown(key);
                    if (textField) frame.redrawRect(textField->area());
                }
                break;
            }
            case FocusOut:
                // Like an edit box losing the focus: the typed text is committed.
                if (textField && event.xfocus.mode == NotifyNormal && event.xfocus.detail != NotifyInferior) {
                    frame.setFocusView(nullptr);
                }
                break;
            case DestroyNotify:
                if (event.xdestroywindow.window == window) {
                    window = 0;  // the host destroyed its window, and so this one, first
                    tracking = false;
                }
                break;
            default: break;
        }
    }

    void press(XButtonEvent& event) {
        CPoint where = surface.framePoint(CPoint(event.x, event.y));
        if (event.button == Button4 || event.button == Button5) {
            frame.onWheel(where, event.button == Button4 ? 1.0f : -1.0f, toolkitButtons(event.state));
            return;
        }
        if (event.button > Button3) return;
        if (textField && textField->area().pointInside(where)) {
            textField->onMouseDown(where);
            frame.redrawRect(textField->area());
            return;
        }
        takeKeyboard(event.time);
        if (tracking) return;  // another button during a drag belongs to the drag
        if (frame.onMouseDown(where, toolkitButtons(event.state, event.button)) != kMouseEventHandled) return;
        tracking = true;
        X11ErrorTrap trap(display);
        XGrabPointer(display, window, False, kDragMask, GrabModeAsync, GrabModeAsync, None, None, event.time);
    }

    void release(XButtonEvent& event) {
        if (event.button > Button3 || !tracking) return;
        unsigned int released = Button1Mask << (event.button - Button1);
        unsigned int state = event.state & ~released;
        if (state & kButtonMasks) return;
        tracking = false;
        CPoint where = surface.framePoint(CPoint(event.x, event.y));
        frame.onMouseUp(where, toolkitButtons(state));
        X11ErrorTrap trap(display);
        XUngrabPointer(display, event.time);
    }

    CFrame& frame;
    COffscreenContext surface;
    CCoord width;
    CCoord height;
    Display* display = nullptr;
    Window window = 0;
    GC gc = nullptr;
    XImage* image = nullptr;
    ChannelLayout layout{};
    DrawnTextField* textField = nullptr;
    CRect exposed;
    bool tracking = false;
    bool processing = false;
};

}  // namespace

std::unique_ptr<PlatformFrame> createX11PlatformFrame(CFrame& frame, unsigned long parentWindow, CCoord width,
                                                      CCoord height) {
    auto platform = std::make_unique<X11PlatformFrame>(frame, width, height);
    if (!platform->create(parentWindow)) return nullptr;
    return platform;
}

}  // namespace VSTGUI
