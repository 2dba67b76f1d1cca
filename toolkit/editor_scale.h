// The editor's scale: device pixels per logical pixel, from 1 to 3 in steps of 0.25, and where it
// comes from. When the editor opens, the first of these that gives one wins:
//   the user's QX71_EDITOR_SCALE environment variable (for hosts that say nothing or say it wrong),
//   the scale the host passed (VST 'PreS'/'AeCs', LV2 ui:scaleFactor, CLAP set_scale),
//   the system's (Windows: the DPI of the monitor holding the parent window; X11: Xft.dpi),
//   1.
#pragma once

#include <optional>

namespace VSTGUI {

constexpr double kMinEditorScale = 1.0;
constexpr double kMaxEditorScale = 3.0;
constexpr double kEditorScaleStep = 0.25;

// The scale rounded to the nearest step; nothing when it is not finite or outside [1, 3].
std::optional<double> editorScaleStep(double scale);

// QX71_EDITOR_SCALE when it is set to a number from 1 to 3 (rounded to the nearest step). Any
// other value is ignored, with one line on standard error the first time it is seen.
std::optional<double> editorScaleFromEnvironment();

// The system's scale for a window inside parentWindow (nullptr: the display's or the system's
// default), clamped to [1, 3] and rounded to the nearest step; nothing when the system says none.
std::optional<double> systemEditorScale(void* parentWindow);

// The order above; systemScale() (an optional scale) is asked only when the user and the host
// give none.
template <class SystemScale>
double chooseEditorScale(std::optional<double> hostScale, SystemScale systemScale) {
    if (std::optional<double> user = editorScaleFromEnvironment()) return *user;
    if (hostScale) return *hostScale;
    if (std::optional<double> system = systemScale()) return *system;
    return 1.0;
}

}  // namespace VSTGUI
