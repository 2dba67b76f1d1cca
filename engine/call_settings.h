// The per-call decisions of the audio callbacks, decoded once from the stored values.
#pragma once

#include <cstdint>

#include "chain_layout.h"

namespace dsp {

struct CallSettings {
    double outputGain = 1.0;
    double polarity = 1.0;  // +1 or −1
    bool analog = false;
    bool lowBand = false;
    bool midBand = false;
    bool highBand = false;
    bool highPass = false;
    bool lowPass = false;
    int highPassSlope = 0;
    int lowPassSlope = 0;
    bool mono = false;
    bool measurePeak = false;  // someone wants the call's largest frame level
    // Running sections whose coefficients are the identity (a band that is off): each passes
    // its input on (plus the offset in front of it) and keeps the identity filter's history
    // as its states, without computing the filter. One bit per Section; set by ChainKernel.
    uint32_t passingSections = 0;
};

// Whether the settings switch `part` on, and the slope of a pass filter.
bool partRuns(const CallSettings& settings, ChainPart part);
int slopeOf(const CallSettings& settings, ChainPart filter);

// The sections these settings run, one bit per Section: those of the parts that are on, of a
// pass filter those its slope uses.
uint32_t runningSections(const CallSettings& settings);

// values: the param::count stored values.
CallSettings decodeCallSettings(const float* values, bool mono);

}  // namespace dsp
