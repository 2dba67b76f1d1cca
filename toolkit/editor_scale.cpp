#include "editor_scale.h"

#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace VSTGUI {

std::optional<double> editorScaleStep(double scale) {
    if (!std::isfinite(scale) || scale < kMinEditorScale || scale > kMaxEditorScale) return std::nullopt;
    return std::round(scale / kEditorScaleStep) * kEditorScaleStep;
}

std::optional<double> editorScaleFromEnvironment() {
    const char* text = std::getenv("QX71_EDITOR_SCALE");
    if (!text || !*text) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(text, &end);
    std::optional<double> scale;
    if (errno == 0 && end != text && *end == '\0') scale = editorScaleStep(value);
    if (!scale) {
        static std::atomic<bool> reported{false};
        if (!reported.exchange(true)) {
            std::fprintf(stderr, "QX71G editor: QX71_EDITOR_SCALE=\"%s\" ignored (a number from 1 to 3 expected)\n",
                         text);
        }
    }
    return scale;
}

}  // namespace VSTGUI
