// Linux builds: a frame inside a host window is an X11 window; one without is offscreen. A host
// window the editor cannot open in is an error, so that effEditOpen answers 0.
#include <stdexcept>

#include "../platform_frame.h"
#include "x11_frame.h"

namespace VSTGUI {

std::unique_ptr<PlatformFrame> createPlatformFrame(CFrame& frame, void* parentWindow, CCoord width, CCoord height) {
    if (!parentWindow) return createOffscreenPlatformFrame(frame, width, height);
    auto window = createX11PlatformFrame(frame, reinterpret_cast<unsigned long>(parentWindow), width, height);
    if (!window) throw std::runtime_error("the editor cannot open in the host's window");
    return window;
}

}  // namespace VSTGUI
