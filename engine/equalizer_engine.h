// The equalizer engine: filter sections for two channels, their designs from the
// param::count normalized parameter values, and the two audio callbacks.
//
// Contract with the plug-in shell (the shell owns the parameter store and the
// sample rate; the engine never writes either):
//   - the constructor takes the shell's param::count stored values; designs read them when
//     they run, the audio callbacks once at the start of every call;
//   - updateAllSections / parameterChanged may run on any thread, also while
//     another thread is inside processReplacing / processDoubleReplacing;
//   - the audio callbacks take no lock and never allocate.
//
// Hand-over: designs run on the calling thread into the designers' copy of the
// coefficients (one designer at a time), which is then published whole through a
// triple buffer. The audio thread takes the newest record at the start of every call;
// states belong to the audio side, and a design's state resets travel with the record
// as per-section reset counts. A design requested on the audio thread while another
// thread is designing is left to that thread (it redesigns before it lets go), so the
// audio thread never waits; requests from other threads wait for their turn, so their
// change is published before they return.
#pragma once

#include <atomic>
#include <cstdint>

namespace dsp {

struct DesignedChain;
template <class T>
struct ChainCoefficients;
template <class T>
struct ChainStates;

class EqualizerEngine {
public:
    explicit EqualizerEngine(const std::atomic<float>* storedValues);
    ~EqualizerEngine();
    EqualizerEngine(const EqualizerEngine&) = delete;
    EqualizerEngine& operator=(const EqualizerEngine&) = delete;

    // Noise generator state of the Analog stage (seeded from the tick source by the shell).
    void setNoiseSeed(uint32_t seed);
    uint32_t noiseSeed() const;

    // Redesigns every section group at this sample rate (high, mid, low, low-pass, high-pass,
    // Analog). The designs keep using this rate until the next call; a rate that is not a
    // positive finite number is ignored. Before the first call the rate is 44100 Hz.
    void updateAllSections(double sampleRate);
    // Redesigns the one group that parameter `index` concerns; other indices do nothing.
    // The designs use the rate of the last updateAllSections, which is the shell's rate.
    void parameterChanged(int index);

    // peakLevel: when not null, raised (never lowered) to the largest output frame level of the call.
    void processReplacing(const float* const* inputs, float* const* outputs, int32_t frames, bool mono,
                          std::atomic<double>* peakLevel);
    void processDoubleReplacing(const double* const* inputs, double* const* outputs, int32_t frames, bool mono,
                                std::atomic<double>* peakLevel);

    // Clears every section's state (the history of the audio so far); call only while no
    // processing call is running. For front-ends whose host announces a fresh start.
    void clearStates();

    // Inspection (tests, diagnostics).
    // The newest designed record.
    DesignedChain designedChain() const;
    // What the audio side runs with and one channel's states; call only while no
    // processing call is running.
    ChainCoefficients<double> activeCoefficients() const;
    ChainStates<double> channelStates(int channel) const;

private:
    struct Impl;
    Impl* impl_;
};

}  // namespace dsp
