// The parameters as values in real units — dB, the bandwidth factor, a selector's step value in
// Hz or dB/oct, a switch's 0 or 1 — and the one mapping from such a value to the normalized value
// the engine reads. Front-ends that show real units (the LV2 edition) use these; the VST 2.4 shell
// shows the normalized values themselves.
#pragma once

#include <cctype>
#include <cmath>
#include <string>

#include "parameter_table.h"

namespace param {

// The real value of a position: a switch's position number (0 or 1), a selector's step value.
inline float realOfPosition(const Description& d, int position) {
    return isSwitch(d) ? static_cast<float>(position) : static_cast<float>(d.positions[position].value);
}

inline float realMinimum(const Description& d) {
    if (!d.stepped()) return d.minimum;
    float lowest = realOfPosition(d, 0);
    for (int i = 1; i <= d.steps; ++i) lowest = std::fmin(lowest, realOfPosition(d, i));
    return lowest;
}

inline float realMaximum(const Description& d) {
    if (!d.stepped()) return d.maximum;
    float highest = realOfPosition(d, 0);
    for (int i = 1; i <= d.steps; ++i) highest = std::fmax(highest, realOfPosition(d, i));
    return highest;
}

// The position a normalized value stands for (the nearest one).
inline int positionOfNormalized(const Description& d, float normalized) {
    return static_cast<int>(std::lround(normalized * static_cast<float>(d.steps)));
}

// The real value a normalized value stands for: a stepped parameter's position value, a
// continuous parameter's engine value. normalizedOfReal maps it back.
inline float realOfNormalized(const Description& d, float normalized) {
    return d.stepped() ? realOfPosition(d, positionOfNormalized(d, normalized)) : d.engineValue(normalized);
}

inline float realDefault(const Description& d) { return realOfNormalized(d, d.defaultValue); }

// The position a real value selects: a switch is on above 0; a selector takes the step whose
// value is nearest (the first of equally near ones), so a host that slides through the range
// still lands on a step.
inline int positionOfReal(const Description& d, float real) {
    if (isSwitch(d)) return real > 0.0f ? 1 : 0;
    int nearest = 0;
    for (int i = 1; i <= d.steps; ++i) {
        if (std::fabs(real - realOfPosition(d, i)) < std::fabs(real - realOfPosition(d, nearest))) nearest = i;
    }
    return nearest;
}

// The normalized value of a real value, clamped to the parameter's range; NaN stays NaN, for the
// caller to refuse.
inline float normalizedOfReal(const Description& d, float real) {
    if (std::isnan(real)) return real;
    if (d.stepped()) return d.normalizedOfPosition(positionOfReal(d, real));
    const float clamped = std::fmin(std::fmax(real, d.minimum), d.maximum);
    return (clamped - d.minimum) / (d.maximum - d.minimum);
}

// A parameter's symbol: its name in lower case, '_' for anything but letters and digits
// ("HF Freq": "hf_freq", "Lo-Pass": "lo_pass").
inline std::string symbolOf(const Description& d) {
    std::string symbol;
    for (const char* c = d.name; *c != '\0'; ++c) {
        const auto ch = static_cast<unsigned char>(*c);
        symbol += std::isalnum(ch) ? static_cast<char>(std::tolower(ch)) : '_';
    }
    return symbol;
}

}  // namespace param
