// Keeps X protocol errors of the plug-in's own display connection away from the host: while a
// trap lives, errors on that connection are recorded instead of reported (Xlib's default
// handler would end the process), and errors on any other connection go to the handler that
// was installed before. The previous handler is back in place when the trap ends.
#pragma once

#include <X11/Xlib.h>

namespace VSTGUI {

class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display* display);
    // Waits for the server's answers to what was sent, so their errors land in this trap.
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Whether an error on the connection has arrived so far (synchronises first).
    bool failed();

private:
    static int handle(Display* display, XErrorEvent* error);

    Display* display;
    X11ErrorTrap* outer;
    XErrorHandler previous;
    bool errorSeen = false;
};

}  // namespace VSTGUI
