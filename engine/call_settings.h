// The per-call decisions of the audio callbacks, decoded once from the stored values.
#pragma once

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
};

// values: the param::count stored values.
CallSettings decodeCallSettings(const float* values, bool mono);

}  // namespace dsp
