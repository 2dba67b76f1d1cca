// The parameters as a CLAP host sees them: the parameter table in real units (the values of
// parameters/real_values.h, as the LV2 edition shows them), their info records, and the texts
// hosts show and parse. Parameter ids are the table's indices.
#pragma once

#include <clap/ext/params.h>

#include <cstdint>

namespace clap_edition {

// Fills `info` for parameter `index`; false for an index outside the table.
bool parameterInfo(uint32_t index, clap_param_info_t& info);

// The real value a normalized value stands for (a selector's step value, a switch's 0 or 1).
double realOfNormalized(int index, float normalized);

// Writes the display text of `value` ("-3.25 dB", "8.2 kHz", "inverted") into `text`; false for
// an unknown id, a value that is not a finite number, or a buffer too small for the whole text.
bool valueToText(clap_id id, double value, char* text, uint32_t capacity);

// Parses a text in the form valueToText writes, a position's label in any case, or a plain number
// (with the unit optional, "kHz" too). Continuous values are clamped to the range, stepped ones
// move to the nearest step. False for an unknown id or a text that is none of these.
bool textToValue(clap_id id, const char* text, double& value);

}  // namespace clap_edition
