#include "parameter_decoding.h"

int bandPosition(float x) {
    for (int i = 0; i <= 7; ++i) {
        if (i * 0.142 + 0.071 > static_cast<double>(x)) return i;
    }
    return 0;
}

int passPosition(float x) {
    for (int i = 0; i <= 5; ++i) {
        if (i * 0.2 + 0.1 > static_cast<double>(x)) return i;
    }
    return 0;
}

int slopePosition(float x) {
    const float step = 0.33333334f;
    for (int j = 0; j <= 3; ++j) {
        const float threshold = static_cast<float>(j) * step + step;
        if (threshold > x) return j;
    }
    return 0;
}

double bandGainDb(float x) {
    const float dB = x * 36.0f - 18.0f;
    return dB;
}

double outputGainDb(float x) {
    const float dB = x * 50.0f - 25.0f;
    return dB;
}

bool passFilterSelected(float x) { return static_cast<double>(x) >= 0.2; }
