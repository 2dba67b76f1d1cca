#include "x11_input.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include "../../cview.h"

namespace VSTGUI {
namespace {

unsigned char virtualKey(KeySym symbol) {
    switch (symbol) {
        case XK_BackSpace: return VKEY_BACK;
        case XK_Return: return VKEY_RETURN;
        case XK_KP_Enter: return VKEY_ENTER;
        case XK_Escape: return VKEY_ESCAPE;
        case XK_Delete:
        case XK_KP_Delete: return VKEY_DELETE;
        case XK_Home:
        case XK_KP_Home: return VKEY_HOME;
        case XK_End:
        case XK_KP_End: return VKEY_END;
        case XK_Left:
        case XK_KP_Left: return VKEY_LEFT;
        case XK_Up:
        case XK_KP_Up: return VKEY_UP;
        case XK_Right:
        case XK_KP_Right: return VKEY_RIGHT;
        case XK_Down:
        case XK_KP_Down: return VKEY_DOWN;
        default: return 0;
    }
}

}  // namespace

long toolkitButtons(unsigned int state, unsigned int pressed) {
    long buttons = 0;
    if ((state & Button1Mask) || pressed == Button1) buttons |= kLButton;
    if ((state & Button2Mask) || pressed == Button2) buttons |= kMButton;
    if ((state & Button3Mask) || pressed == Button3) buttons |= kRButton;
    if (state & ShiftMask) buttons |= kShift;
    if (state & ControlMask) buttons |= kControl;
    if (state & Mod1Mask) buttons |= kAlt;
    return buttons;
}

bool toolkitKey(XKeyEvent& event, VstKeyCode& key) {
    char typed[8] = {};
    KeySym symbol = NoSymbol;
    int length = XLookupString(&event, typed, sizeof typed, &symbol, nullptr);
    key = VstKeyCode{};
    key.virt = virtualKey(symbol);
    if (!key.virt) {
        if (length != 1 || typed[0] < 32 || typed[0] > 126) return false;
        key.character = typed[0];
    }
    if (event.state & ShiftMask) key.modifier |= MODIFIER_SHIFT;
    if (event.state & ControlMask) key.modifier |= MODIFIER_CONTROL;
    if (event.state & Mod1Mask) key.modifier |= MODIFIER_ALTERNATE;
    return true;
}

}  // namespace VSTGUI
