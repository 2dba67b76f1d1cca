#include "test_signal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace qx71::render {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kAmplitude = 0.5;

std::vector<double> sweep(long frames, int sampleRate) {
    const double start = 20.0;
    const double end = std::min(20000.0, 0.45 * sampleRate);
    const double seconds = static_cast<double>(frames) / sampleRate;
    const double rate = std::log(end / start);
    std::vector<double> samples(static_cast<std::size_t>(frames));
    for (long i = 0; i < frames; ++i) {
        // The phase of a sweep whose instantaneous frequency grows exponentially from start to end.
        const double t = static_cast<double>(i) / sampleRate;
        const double phase = 2.0 * kPi * start * seconds / rate * (std::exp(t / seconds * rate) - 1.0);
        samples[static_cast<std::size_t>(i)] = kAmplitude * std::sin(phase);
    }
    return samples;
}

std::vector<double> noise(long frames) {
    // A fixed-seed xorshift generator, so that every run and every platform renders the same noise.
    std::uint64_t state = 0x51A7'1A11'0000'0071ULL;
    std::vector<double> samples(static_cast<std::size_t>(frames));
    for (double& sample : samples) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        const double unit = static_cast<double>(state >> 11) / 9007199254740992.0;  // [0, 1)
        sample = kAmplitude * (2.0 * unit - 1.0);
    }
    return samples;
}

}  // namespace

bool signalKindFromName(const std::string& name, SignalKind& kind) {
    for (SignalKind candidate : {SignalKind::Sweep, SignalKind::Noise, SignalKind::Impulse}) {
        if (name == signalName(candidate)) {
            kind = candidate;
            return true;
        }
    }
    return false;
}

const char* signalName(SignalKind kind) {
    switch (kind) {
        case SignalKind::Sweep: return "sweep";
        case SignalKind::Noise: return "noise";
        case SignalKind::Impulse: return "impulse";
    }
    return "";
}

std::vector<double> generateSignal(SignalKind kind, long frames, int sampleRate) {
    switch (kind) {
        case SignalKind::Sweep: return sweep(frames, sampleRate);
        case SignalKind::Noise: return noise(frames);
        case SignalKind::Impulse: break;
    }
    std::vector<double> samples(static_cast<std::size_t>(frames), 0.0);
    if (!samples.empty()) {
        samples[0] = 1.0;
    }
    return samples;
}

}  // namespace qx71::render
