// Parameter indices and the rules that turn stored normalized values into switch positions,
// gains and on/off decisions. The precision of each rule is part of its result.
#pragma once

namespace param {
enum Index : int {
    output = 0,
    phase = 1,
    hfFreq = 2,
    hfGain = 3,
    hfBandwidth = 4,
    hfType = 5,
    hfMode = 6,
    mfFreq = 7,
    mfGain = 8,
    mfBandwidth = 9,
    mfType = 10,
    lfFreq = 11,
    lfGain = 12,
    lfBandwidth = 13,
    lfType = 14,
    lfMode = 15,
    lowPass = 16,
    highPass = 17,
    lowSlope = 18,
    highSlope = 19,
    analog = 20,
    muteHf = 21,
    muteMf = 22,
    muteLf = 23,
    muteLowPass = 24,
    muteHighPass = 25,
    count = 26,
};
}  // namespace param

// Band frequency selector: 0 (off) or 1..7; thresholds i × 0.142 + 0.071 in double precision.
int bandPosition(float x);
// Pass-filter frequency selector: 0 (off) or 1..5; thresholds i × 0.2 + 0.1 in double precision.
int passPosition(float x);
// Pass-filter slope 0..3 (6, 12, 18, 24 dB/oct); thresholds computed in single precision.
int slopePosition(float x);
// Band gain in dB, x × 36 − 18 in single precision.
double bandGainDb(float x);
// Output gain in dB, x × 50 − 25 in single precision.
double outputGainDb(float x);
// A pass filter runs from this value of its frequency selector on (compared in double precision).
bool passFilterSelected(float x);
