#include "x11_error_trap.h"

namespace VSTGUI {
namespace {

// The innermost trap of this thread; Xlib runs the handler on the thread that made the call.
thread_local X11ErrorTrap* innermostTrap = nullptr;

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display)
    : display(display), outer(innermostTrap), previous(XSetErrorHandler(&X11ErrorTrap::handle)) {
    innermostTrap = this;
}

X11ErrorTrap::~X11ErrorTrap() {
    XSync(display, False);
    innermostTrap = outer;
    XSetErrorHandler(previous);
}

bool X11ErrorTrap::failed() {
    XSync(display, False);
    return errorSeen;
}

int X11ErrorTrap::handle(Display* display, XErrorEvent* error) {
    for (X11ErrorTrap* trap = innermostTrap; trap; trap = trap->outer) {
        if (trap->display == display) {
            trap->errorSeen = true;
            return 0;
        }
    }
    // Another connection's error: whoever handled errors before the first trap decides.
    X11ErrorTrap* outermost = innermostTrap;
    while (outermost && outermost->outer) outermost = outermost->outer;
    XErrorHandler before = outermost ? outermost->previous : nullptr;
    return before && before != &X11ErrorTrap::handle ? before(display, error) : 0;
}

}  // namespace VSTGUI
