// A parameter store and an engine wired like the shell wires them, plus helpers to run audio.
#pragma once

#include <atomic>
#include <random>
#include <vector>

#include "chain_layout.h"
#include "equalizer_engine.h"
#include "parameter_decoding.h"

using namespace dsp;  // the engine's names, unqualified in the tests

inline constexpr float kDefaultValues[param::count] = {0.5f, 0, 0, 0.5f, 0.5f, 0, 0, 0, 0.5f, 0.5f, 0, 0, 0.5f,
                                                       0.5f, 0, 0, 0,    0,    0, 0, 0, 0,    0,    0, 0, 0};

struct EngineRig {
    std::atomic<float> values[param::count];
    EqualizerEngine engine{values};
    double sampleRate = 44100.0;

    explicit EngineRig(double rate = 44100.0) : sampleRate(rate) {
        for (int i = 0; i < param::count; ++i) values[i].store(kDefaultValues[i]);
        engine.setNoiseSeed(0);
        engine.updateAllSections(rate);
    }

    // Stores clamped, then notifies, as the shell's setParameter does.
    void set(int index, float value) {
        values[index].store(value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value));
        engine.parameterChanged(index);
    }
    void setRate(double rate) {
        sampleRate = rate;
        engine.updateAllSections(rate);
    }
    // Applies pending designs (and their state resets) without processing audio.
    void sync() { engine.processDoubleReplacing(nullptr, nullptr, 0, false, nullptr); }

    template <class Sample>
    void process(std::vector<Sample>& left, std::vector<Sample>& right, bool mono = false,
                 std::atomic<double>* peak = nullptr) {
        Sample* io[2] = {left.data(), right.data()};
        processInto(io, io, static_cast<int32_t>(left.size()), mono, peak);
    }
    void processInto(float* const* in, float* const* out, int32_t n, bool mono, std::atomic<double>* peak) {
        engine.processReplacing(in, out, n, mono, peak);
    }
    void processInto(double* const* in, double* const* out, int32_t n, bool mono, std::atomic<double>* peak) {
        engine.processDoubleReplacing(in, out, n, mono, peak);
    }
    ChainStates<double> states(int channel = 0) const { return engine.channelStates(channel); }
    ChainCoefficients<double> coefficients() const { return engine.activeCoefficients(); }
};

// Deterministic test signal in [-amplitude, amplitude].
inline std::vector<double> noiseSignal(size_t n, unsigned seed, double amplitude = 0.5) {
    std::vector<double> out(n);
    uint32_t s = seed * 2654435761u + 1u;
    for (auto& v : out) {
        s = s * 1664525u + 1013904223u;
        v = (static_cast<double>(s >> 8) / 16777216.0 * 2.0 - 1.0) * amplitude;
    }
    return out;
}

// Random settings over the whole parameter space, switch values included.
inline void randomise(EngineRig& rig, std::mt19937& random) {
    std::uniform_real_distribution<float> any(0.0f, 1.0f);
    std::uniform_int_distribution<int> step(0, 6);
    for (int i = 0; i < param::count; ++i) {
        float v = any(random);
        if (random() % 2) v = step(random) / 6.0f;
        if (i >= param::muteHf) v = random() % 4 == 0 ? 1.0f : 0.0f;
        if (i == param::lowSlope || i == param::highSlope) v = static_cast<float>(random() % 4) / 3.0f;
        rig.set(i, v);
    }
}
