// Windows builds: a frame inside a host window is a real window; one without is offscreen.
#include "../platform_frame.h"
#include "win32_frame.h"

namespace VSTGUI {

std::unique_ptr<PlatformFrame> createPlatformFrame(CFrame& frame, void* parentWindow, CCoord width, CCoord height) {
    if (parentWindow) {
        if (auto window = createWin32PlatformFrame(frame, parentWindow, width, height)) return window;
    }
    return createOffscreenPlatformFrame(frame, width, height);
}

}  // namespace VSTGUI
