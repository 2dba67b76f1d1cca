// The Windows scale: the DPI of the monitor that holds the host's window, through
// GetDpiForWindow where the system has it (Windows 10 1607 on; looked up by name so that the
// module still loads on older systems), else the system DPI, divided by 96.
#include <windows.h>

#include <algorithm>

#include "../../editor_scale.h"

namespace VSTGUI {

std::optional<double> systemEditorScale(void* parentWindow) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    UINT dpi = 0;
    HMODULE user = GetModuleHandleA("user32.dll");
    auto getDpiForWindow =
        user ? reinterpret_cast<GetDpiForWindowFunction>(GetProcAddress(user, "GetDpiForWindow")) : nullptr;
    if (getDpiForWindow && parentWindow) dpi = getDpiForWindow(static_cast<HWND>(parentWindow));
    if (dpi == 0) {
        if (HDC screen = GetDC(nullptr)) {
            dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
            ReleaseDC(nullptr, screen);
        }
    }
    if (dpi == 0) return std::nullopt;
    return editorScaleStep(std::clamp(dpi / 96.0, kMinEditorScale, kMaxEditorScale));
}

}  // namespace VSTGUI
