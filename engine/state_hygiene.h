// Keeps section states usable: a channel whose state in a section is no longer finite (a NaN
// or infinity came in) gets that section's state cleared, and states that have decayed
// below kFlushBelow are set to zero so that silence never runs on subnormal numbers.
// Finite states at or above the threshold are never changed.
#pragma once

#include "chain_layout.h"
#include "stereo_pair.h"

namespace dsp {

// About −4000 dB: far below anything a float output or a listener can resolve, and far
// enough above the subnormal range that no decay reaches it between two clean-ups.
constexpr double kFlushBelow = 1e-200;

// The frame loops clean their states up at this interval of frames (or loop iterations) and at
// the end of every call.
constexpr int kCleanInterval = 256;

void cleanStates(ChainStates<Pair>& states);

}  // namespace dsp
