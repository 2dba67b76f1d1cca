// Opens a plug-in's editor the way Linux hosts do: the host makes a top-level X11 window on its
// own display connection, passes its id with effEditOpen, calls effEditIdle about 30 times a
// second from the same thread, and ends with effEditClose.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "plugin_instance.h"

namespace qx71::host {

class X11EditorWindow {
public:
    static constexpr int kIdleIntervalMs = 33;

    // A borderless window of the editor's size at the screen's top-left corner, titled title,
    // with the editor open in it; nullptr and error when there is no display or no editor.
    static std::unique_ptr<X11EditorWindow> open(Instance& instance, const std::string& title, std::string& error);
    // Closes the editor, then the window.
    ~X11EditorWindow();
    X11EditorWindow(const X11EditorWindow&) = delete;
    X11EditorWindow& operator=(const X11EditorWindow&) = delete;

    // Idles the editor every kIdleIntervalMs until done() answers true (asked before each idle).
    void idleUntil(const std::function<bool()>& done);
    // Idles the editor count times, without waiting between the calls.
    void idle(int count = 1);
    // Idles the editor count times at the host rate.
    void idleTicks(int count);
    // effEditClose, then effEditOpen in the same window; false when the editor did not open again.
    bool reopenEditor();
    // Destroys the host window while the editor is still open in it, as some hosts do.
    void destroyParentFirst();

    std::uintptr_t windowId() const { return window; }

private:
    X11EditorWindow(Instance& instance, void* display, std::uintptr_t window);

    Instance& instance;
    void* display;
    std::uintptr_t window;
    bool windowExists = true;
    bool editorOpen = false;
};

}  // namespace qx71::host
