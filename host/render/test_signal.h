// Generated mono test signals.
#pragma once

#include <string>
#include <vector>

namespace qx71::render {

enum class SignalKind { Sweep, Noise, Impulse };

// "sweep", "noise" or "impulse"; false for any other name.
bool signalKindFromName(const std::string& name, SignalKind& kind);
const char* signalName(SignalKind kind);

// frames samples at sampleRate:
//   Sweep   an exponential sine sweep from 20 Hz to 20 kHz (at most 0.45 x sampleRate), amplitude 0.5
//   Noise   uniform white noise in [-0.5, 0.5], the same sequence on every run
//   Impulse 1.0 at the first frame, then silence
std::vector<double> generateSignal(SignalKind kind, long frames, int sampleRate);

}  // namespace qx71::render
