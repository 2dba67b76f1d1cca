// Translation of X input events into the toolkit's terms: button-state bits and VST key codes.
#pragma once

#include <X11/Xlib.h>

#include "vst_abi.h"

namespace VSTGUI {

// Buttons and modifiers held in an event's state, plus pressed (1-3, or 0), as toolkit bits.
long toolkitButtons(unsigned int state, unsigned int pressed = 0);
// The key of a KeyPress event; false for keys the editor has no use for.
bool toolkitKey(XKeyEvent& event, VstKeyCode& key);

}  // namespace VSTGUI
