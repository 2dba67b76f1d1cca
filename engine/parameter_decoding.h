// The engine's rules that turn stored normalized values into switch positions, gains and on/off
// decisions (the parameters themselves are described in parameter_table.h). The precision of each
// rule is part of its result.
#pragma once

#include "parameter_table.h"

namespace dsp {

// Band frequency selector: 0 (off) or 1..7; thresholds i × 0.142 + 0.071 in double precision.
int bandPosition(float x);
// Pass-filter frequency selector: 0 (off) or 1..5; thresholds i × 0.2 + 0.1 in double precision.
int passPosition(float x);
// Pass-filter slope 0..3 (6, 12, 18, 24 dB/oct); thresholds computed in single precision.
int slopePosition(float x);
// Band gain in dB, x × 36 − 18 in single precision (the table's range of the band gains).
double bandGainDb(float x);
// Output gain in dB, x × 50 − 25 in single precision (the table's range of the output).
double outputGainDb(float x);
// A pass filter runs from this value of its frequency selector on (compared in double precision).
bool passFilterSelected(float x);

}  // namespace dsp
