// Recording a plug-in's stereo impulse response, either for a stated length or until its tail
// has decayed (or has settled on a noise floor).
#pragma once

#include <optional>
#include <vector>

#include "plugin_instance.h"

namespace qx71::response {

// The longest recording: 2^21 frames (about 44 s at 48 kHz).
constexpr long kLongestRecording = 1L << 21;
// Without a stated length, a recording stops at this many seconds.
constexpr double kLongestAutomaticSeconds = 10.0;
// A tail counts as decayed below this level relative to the response's peak.
constexpr double kDecayedDb = -150.0;

enum class TailEnd { stated, decayed, noiseFloor, timeLimit };

struct ImpulseRecording {
    std::vector<double> channels[2];  // the first two outputs (a mono plug-in's output in both)
    TailEnd end = TailEnd::stated;
    double tailDb = 0.0;  // level of the last recorded part relative to the peak
};

struct ImpulseRun {
    int sampleRate = 44100;
    int blockSize = 512;
    bool doublePrecision = true;
    double amplitude = 1.0;      // of the impulse; the recording is divided by it
    std::optional<long> length;  // frames; none: judge the tail
};

// Runs 100 ms of silence, then an impulse into every input at once, through a plug-in that is
// set up but not yet processing; leaves it stopped. Throws RenderError when the output stays
// all zero or holds a NaN or an infinity.
ImpulseRecording recordImpulseResponse(host::Instance& instance, const ImpulseRun& run);

}  // namespace qx71::response
