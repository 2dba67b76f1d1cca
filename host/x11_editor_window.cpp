#include "x11_editor_window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <thread>

namespace qx71::host {
namespace {

Display* asDisplay(void* display) { return static_cast<Display*>(display); }

// Xvfb 21.1 was seen to drop about one in a hundred connections opened right after another was
// closed, which open/close storms do; the plug-in side tries again too.
Display* openDisplay() {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (Display* display = XOpenDisplay(nullptr)) return display;
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<X11EditorWindow> X11EditorWindow::open(Instance& instance, const std::string& title,
                                                       std::string& error) {
    ERect* rect = nullptr;
    if (!instance.dispatch(effEditGetRect, 0, 0, &rect) || !rect) {
        error = "the plug-in has no editor rectangle";
        return nullptr;
    }
    Display* display = openDisplay();
    if (!display) {
        error = "no X display";
        return nullptr;
    }
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;  // no window manager decoration or placement
    attributes.background_pixel = BlackPixel(display, DefaultScreen(display));
    Window window =
        XCreateWindow(display, DefaultRootWindow(display), 0, 0, rect->right - rect->left, rect->bottom - rect->top, 0,
                      CopyFromParent, InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XStoreName(display, window, title.c_str());
    XMapWindow(display, window);
    XSync(display, False);
    // Not make_unique: the constructor is private.
    std::unique_ptr<X11EditorWindow> editor(new X11EditorWindow(instance, display, window));
    editor->editorOpen = instance.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(window)) != 0;
    if (!editor->editorOpen) {
        error = "the editor did not open";
        return nullptr;
    }
    return editor;
}

X11EditorWindow::X11EditorWindow(Instance& instance, void* display, std::uintptr_t window)
    : instance(instance), display(display), window(window) {}

X11EditorWindow::~X11EditorWindow() {
    if (editorOpen) instance.dispatch(effEditClose);
    if (windowExists) XDestroyWindow(asDisplay(display), window);
    XCloseDisplay(asDisplay(display));
}

void X11EditorWindow::idle(int count) {
    for (int i = 0; i < count; ++i) {
        // The host's own connection: nothing of its window needs handling here but the queue.
        while (XPending(asDisplay(display)) > 0) {
            XEvent event;
            XNextEvent(asDisplay(display), &event);
        }
        instance.dispatch(effEditIdle);
    }
}

void X11EditorWindow::idleUntil(const std::function<bool()>& done) {
    auto next = std::chrono::steady_clock::now();
    while (!done()) {
        idle();
        next += std::chrono::milliseconds(kIdleIntervalMs);
        std::this_thread::sleep_until(next);
    }
}

void X11EditorWindow::idleTicks(int count) {
    idleUntil([&count] { return count-- <= 0; });
}

bool X11EditorWindow::reopenEditor() {
    instance.dispatch(effEditClose);
    editorOpen = instance.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(window)) != 0;
    return editorOpen;
}

void X11EditorWindow::destroyParentFirst() {
    XDestroyWindow(asDisplay(display), window);
    XSync(asDisplay(display), False);
    windowExists = false;  // the editor stays open until the destructor closes it
}

}  // namespace qx71::host
