#include "readout_conversion.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace gui {

namespace readout {

void format(float value, float halfRange, char* text) {
    float shown = value * (2.0f * halfRange) - halfRange;
    std::snprintf(text, 256, "%2.2f", static_cast<double>(shown));
}

std::optional<float> parse(const char* text, float halfRange) {
    float typed = std::strtof(text, nullptr);
    if (std::isnan(typed)) return std::nullopt;
    float value = (typed + halfRange) / (2.0f * halfRange);
    if (value < 0.0f) return 0.0f;
    if (value > 1.0f) return 1.0f;
    return value;
}

void formatHook(float value, char* text, void* halfRange) {
    format(value, *static_cast<const float*>(halfRange), text);
}

}  // namespace readout

}  // namespace gui
