// The equalizer engine: filter sections for two channels, their designs from the
// 26 normalized parameter values, and the two audio callbacks.
//
// Contract with the plug-in shell (the shell owns the parameter store and the
// sample rate; the engine never writes either):
//   - the constructor takes the shell's 26 stored values; designs read them when
//     they run, the audio callbacks once at the start of every call;
//   - updateAllSections / parameterChanged may run on any thread, also while
//     another thread is inside processReplacing / processDoubleReplacing;
//   - the audio callbacks take no lock and never allocate.
#pragma once

#include <atomic>
#include <cstdint>

class EqualizerEngine {
public:
    static constexpr int kParamCount = 26;

    explicit EqualizerEngine(const std::atomic<float>* storedValues);
    ~EqualizerEngine();
    EqualizerEngine(const EqualizerEngine&) = delete;
    EqualizerEngine& operator=(const EqualizerEngine&) = delete;

    // Noise generator state of the Analog stage (seeded from the tick source by the shell).
    void setNoiseSeed(uint32_t seed);
    uint32_t noiseSeed() const;

    // Redesigns every section group at this sample rate (high, mid, low, low-pass, high-pass, Analog).
    void updateAllSections(double sampleRate);
    // Redesigns the one group that parameter `index` concerns; other indices do nothing.
    void parameterChanged(int index, double sampleRate);

    // peakLevel: when not null, raised (never lowered) to the largest output frame level of the call.
    void processReplacing(const float* const* inputs, float* const* outputs, int32_t frames, bool mono,
                          std::atomic<double>* peakLevel);
    void processDoubleReplacing(const double* const* inputs, double* const* outputs, int32_t frames,
                                bool mono, std::atomic<double>* peakLevel);

private:
    struct Impl;
    Impl* impl_;
};
