// The x11 backend of a frame: a child window of the host's window on the plug-in's own display
// connection. The software back buffer is put on the window on Expose and after every redraw;
// the window's events are handled when the host idles the editor; a drag grabs the pointer, so
// that it keeps working outside the window; typing goes to a field the toolkit draws itself.
#pragma once

#include <memory>

#include "../platform_frame.h"

namespace VSTGUI {

// nullptr (with a line on stderr saying why) when there is no display, the parent is not a
// window, or its visual is not one the back buffer can be shown on.
std::unique_ptr<PlatformFrame> createX11PlatformFrame(CFrame& frame, unsigned long parentWindow, CCoord width,
                                                      CCoord height);

}  // namespace VSTGUI
