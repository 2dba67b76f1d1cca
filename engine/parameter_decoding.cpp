#include "parameter_decoding.h"

namespace dsp {

int bandPosition(float x) {
    for (int i = 0; i <= param::kTable[param::hfFreq].steps; ++i) {
        if (i * 0.142 + 0.071 > static_cast<double>(x)) return i;
    }
    return 0;
}

int passPosition(float x) {
    for (int i = 0; i <= param::kTable[param::lowPass].steps; ++i) {
        if (i * 0.2 + 0.1 > static_cast<double>(x)) return i;
    }
    return 0;
}

int slopePosition(float x) {
    const float step = 0.33333334f;
    for (int j = 0; j <= param::kTable[param::lowSlope].steps; ++j) {
        const float threshold = static_cast<float>(j) * step + step;
        if (threshold > x) return j;
    }
    return 0;
}

double bandGainDb(float x) { return param::kTable[param::hfGain].engineValue(x); }

double outputGainDb(float x) { return param::kTable[param::output].engineValue(x); }

bool passFilterSelected(float x) { return static_cast<double>(x) >= 0.2; }

}  // namespace dsp
