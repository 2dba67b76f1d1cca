// Builds without a window system draw every frame offscreen.
#include "../platform_frame.h"

namespace VSTGUI {

std::unique_ptr<PlatformFrame> createPlatformFrame(CFrame& frame, void* parentWindow, CCoord width, CCoord height) {
    (void)parentWindow;
    return createOffscreenPlatformFrame(frame, width, height);
}

}  // namespace VSTGUI
