// From an impulse response to magnitude, phase and group delay on a log-spaced frequency grid.
#pragma once

#include <vector>

namespace qx71::response {

// `points` frequencies from 10 Hz, spaced by a constant ratio chosen so that the next point
// after the last would be half the sample rate.
std::vector<double> logFrequencyGrid(int points, double sampleRate);

struct ChannelResponse {
    std::vector<double> magnitudeDb;
    std::vector<double> phaseDegrees;  // wrapped to ±180
    std::vector<double> groupDelayMs;
};

// The transform of the impulse response (zero-padded, FFTW), read at each grid frequency.
// Values between transform bins are interpolated in magnitude, phase and group delay, which
// stays exact for a pure delay; the padding keeps bins closer together than grid points.
ChannelResponse analyseImpulseResponse(const std::vector<double>& impulse, double sampleRate,
                                       const std::vector<double>& grid);

}  // namespace qx71::response
