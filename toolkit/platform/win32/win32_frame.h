// The win32 backend of a frame: a child window of the host's window, double-buffered through a
// DIB section, mouse capture during a gesture, keys and wheel, and an EDIT control for typing.
#pragma once

#include <memory>

#include "../platform_frame.h"

namespace VSTGUI {

// nullptr when the window cannot be made.
std::unique_ptr<PlatformFrame> createWin32PlatformFrame(CFrame& frame, void* parentWindow, CCoord width, CCoord height);

}  // namespace VSTGUI
