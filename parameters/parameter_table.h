// The equalizer's 26 parameters, independent of any plug-in format: index, name, label, default,
// steps and the meaning of each normalized value in engine units. The VST 2.4 shell, the engine,
// the editor and any later front-end read these facts from here.
#pragma once

namespace param {

enum Index : int {
    output,
    phase,
    hfFreq,
    hfGain,
    hfBandwidth,
    hfType,
    hfMode,
    mfFreq,
    mfGain,
    mfBandwidth,
    mfType,
    lfFreq,
    lfGain,
    lfBandwidth,
    lfType,
    lfMode,
    lowPass,
    highPass,
    lowSlope,
    highSlope,
    analog,
    muteHf,
    muteMf,
    muteLf,
    muteLowPass,
    muteHighPass,
    count
};

// One position of a stepped parameter: its value in engine units and how a front-end names it.
struct Step {
    double value;
    const char* label;
};

struct Description {
    const char* name;    // as hosts show it
    const char* label;   // the unit label of the normalized value the VST 2.4 shell reports
    float defaultValue;  // normalized
    // Continuous parameters: the engine value is normalized × (maximum − minimum) + minimum,
    // in single precision, in `unit`.
    float minimum;
    float maximum;
    const char* unit;
    // Stepped parameters: positions above the first (0 for continuous ones) and the steps + 1
    // positions in order. Each position covers an equal share of [0, 1]; the engine's exact
    // thresholds are its own (engine/parameter_decoding.h).
    int steps;
    const Step* positions;

    bool stepped() const { return steps > 0; }
    // The normalized value that selects position `position` of a stepped parameter.
    float normalizedOfPosition(int position) const { return static_cast<float>(position) / static_cast<float>(steps); }
    // The engine value of a continuous parameter.
    float engineValue(float normalized) const { return normalized * (maximum - minimum) + minimum; }
};

inline constexpr Step kHighBandSteps[] = {{0, "OFF"},        {1100, "1.1 kHz"}, {2200, "2.2 kHz"}, {3900, "3.9 kHz"},
                                          {5800, "5.8 kHz"}, {8200, "8.2 kHz"}, {10000, "10 kHz"}, {12000, "12 kHz"}};
inline constexpr Step kMidBandSteps[] = {{0, "OFF"},        {220, "220 Hz"},   {360, "360 Hz"},   {700, "700 Hz"},
                                         {1600, "1.6 kHz"}, {3200, "3.2 kHz"}, {4800, "4.8 kHz"}, {7200, "7.2 kHz"}};
inline constexpr Step kLowBandSteps[] = {{0, "OFF"},      {35, "35 Hz"},   {45, "45 Hz"},   {60, "60 Hz"},
                                         {110, "110 Hz"}, {220, "220 Hz"}, {300, "300 Hz"}, {400, "400 Hz"}};
inline constexpr Step kLowPassSteps[] = {{0, "OFF"},        {18000, "18 kHz"}, {14000, "14 kHz"},
                                         {10000, "10 kHz"}, {8000, "8 kHz"},   {6000, "6 kHz"}};
inline constexpr Step kHighPassSteps[] = {{0, "OFF"},    {15, "15 Hz"},   {45, "45 Hz"},
                                          {70, "70 Hz"}, {160, "160 Hz"}, {360, "360 Hz"}};
inline constexpr Step kSlopeSteps[] = {{6, "6 dB/oct"}, {12, "12 dB/oct"}, {18, "18 dB/oct"}, {24, "24 dB/oct"}};
inline constexpr Step kTypeSteps[] = {{0, "A"}, {1, "B"}};
inline constexpr Step kModeSteps[] = {{0, "Shelf"}, {1, "Bell"}};
inline constexpr Step kPhaseSteps[] = {{1, "normal"}, {-1, "inverted"}};
inline constexpr Step kSwitchSteps[] = {{0, "off"}, {1, "on"}};
inline constexpr Step kMuteSteps[] = {{0, "on"}, {1, "muted"}};

inline constexpr float kBandGainDb = 18.0f;    // band gains span ±18 dB
inline constexpr float kOutputGainDb = 25.0f;  // the output gain spans ±25 dB

namespace detail {
constexpr Description gain(const char* name) { return {name, "dB", 0.5f, -kBandGainDb, kBandGainDb, "dB", 0, nullptr}; }
// The bell's bandwidth is scaled by a factor from 0.375 to 1.625, 1 at the centre.
constexpr Description bandwidth(const char* name) { return {name, "oct", 0.5f, 0.375f, 1.625f, "", 0, nullptr}; }
template <int N>
constexpr Description stepped(const char* name, const char* label, const char* unit, const Step (&positions)[N]) {
    return {name, label, 0.0f, 0.0f, 0.0f, unit, N - 1, positions};
}
}  // namespace detail

inline constexpr Description kTable[count] = {
    {"Output", "dB", 0.5f, -kOutputGainDb, kOutputGainDb, "dB", 0, nullptr},
    detail::stepped("Phase", "n/y", "", kPhaseSteps),
    detail::stepped("HF Freq", "Hz", "Hz", kHighBandSteps),
    detail::gain("HF Gain"),
    detail::bandwidth("HF BW"),
    detail::stepped("HF Type", "typ", "", kTypeSteps),
    detail::stepped("HF Mode", "n/y", "", kModeSteps),
    detail::stepped("MF Freq", "Hz", "Hz", kMidBandSteps),
    detail::gain("MF Gain"),
    detail::bandwidth("MF BW"),
    detail::stepped("MF Type", "typ", "", kTypeSteps),
    detail::stepped("LF Freq", "Hz", "Hz", kLowBandSteps),
    detail::gain("LF Gain"),
    detail::bandwidth("LF BW"),
    detail::stepped("LF Type", "typ", "", kTypeSteps),
    detail::stepped("LF Mode", "n/y", "", kModeSteps),
    detail::stepped("Lo-Pass", "Hz", "Hz", kLowPassSteps),
    detail::stepped("Hi-Pass", "Hz", "Hz", kHighPassSteps),
    detail::stepped("Lo Slope", "dB/o", "dB/oct", kSlopeSteps),
    detail::stepped("Hi Slope", "dB/o", "dB/oct", kSlopeSteps),
    detail::stepped("Analog", "n/y", "", kSwitchSteps),
    detail::stepped("Mute HF", "n/y", "", kMuteSteps),
    detail::stepped("Mute MF", "n/y", "", kMuteSteps),
    detail::stepped("Mute LF", "n/y", "", kMuteSteps),
    detail::stepped("Mute LPF", "n/y", "", kMuteSteps),
    detail::stepped("Mute HPF", "n/y", "", kMuteSteps),
};

constexpr bool isValid(int index) { return index >= 0 && index < count; }

// On/off switches (polarity, Analog, the mutes), as opposed to selectors with named choices.
constexpr bool isSwitch(const Description& d) {
    return d.positions == kPhaseSteps || d.positions == kSwitchSteps || d.positions == kMuteSteps;
}

}  // namespace param
