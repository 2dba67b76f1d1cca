// The value readouts beside the gain, bandwidth and output knobs: a linear map of the
// normalised value x to the shown number (x * 2h - h for the half-range h), printed "%2.2f",
// and typed text mapped back.
#pragma once

#include <optional>

#include "parameter_table.h"

namespace gui {

namespace readout {

// The gain and output readouts show decibels; the bandwidth readout a number from -20 to 20.
constexpr float kGainHalfRange = param::kBandGainDb;
constexpr float kBandwidthHalfRange = 20.0f;
constexpr float kOutputHalfRange = param::kOutputGainDb;

// Writes the number shown for the normalised value (at most 255 characters and the terminator).
void format(float value, float halfRange, char* text);

// The normalised value of typed text: its leading decimal number (none reads as 0), clamped to
// [0, 1]. Nothing for "nan": a number that is no number must not become a parameter value;
// infinities clamp to the ends like any other out-of-range number.
std::optional<float> parse(const char* text, float halfRange);

// The string-convert hooks of the toolkit's text fields; user data points to the half-range.
void formatHook(float value, char* text, void* halfRange);

}  // namespace readout

}  // namespace gui
