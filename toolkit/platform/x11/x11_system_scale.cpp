// The X11 scale: Xft.dpi from the display's resource database, which desktop environments set
// for high-density screens, divided by 96.
#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "../../editor_scale.h"

namespace VSTGUI {

std::optional<double> systemEditorScale(void*) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return std::nullopt;
    std::optional<double> scale;
    if (const char* resources = XResourceManagerString(display)) {
        XrmInitialize();
        if (XrmDatabase database = XrmGetStringDatabase(resources)) {
            char* type = nullptr;
            XrmValue value{};
            if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
                std::string text(value.addr, value.size);
                char* end = nullptr;
                double dpi = std::strtod(text.c_str(), &end);
                if (end != text.c_str() && dpi > 0) {
                    scale = editorScaleStep(std::clamp(dpi / 96.0, kMinEditorScale, kMaxEditorScale));
                }
            }
            XrmDestroyDatabase(database);
        }
    }
    XCloseDisplay(display);
    return scale;
}

}  // namespace VSTGUI
