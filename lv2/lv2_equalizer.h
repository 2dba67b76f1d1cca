// One LV2 instance of the equalizer. Ports 0 to 25 are the parameters in real units, in the
// parameter table's order; then the left and right audio inputs and outputs. run() reads the
// control ports at its start, maps changed values to the normalized values the engine reads
// (parameters/real_values.h), lets the engine redesign what they concern on this thread, and
// runs the engine's single-precision callback.
#pragma once

#include <atomic>
#include <cstdint>

#include "equalizer_engine.h"
#include "parameter_table.h"

class Lv2Equalizer {
public:
    static constexpr uint32_t kFirstAudioInput = param::count;
    static constexpr uint32_t kFirstAudioOutput = param::count + 2;
    static constexpr uint32_t kPortCount = param::count + 4;

    // A rate the engine can design for: positive and finite as the single-precision number
    // the VST 2.4 edition receives.
    static bool usableRate(double sampleRate);

    // Designs everything for `sampleRate` (a usable rate) with the parameters at their defaults.
    Lv2Equalizer(double sampleRate, uint32_t noiseSeed);

    void connect(uint32_t port, void* data);
    // A fresh start of the audio: the sections forget their states.
    void activate() { engine_.clearStates(); }
    // Any number of frames (0 too), in place or out of place. A call with frames but without
    // all four audio ports connected only takes the controls.
    void run(uint32_t frames);

private:
    void takeControls();

    std::atomic<float> values_[param::count];  // normalized, what the engine reads
    float seen_[param::count];                 // the port values of the last look
    const float* controls_[param::count] = {};
    const float* inputs_[2] = {};
    float* outputs_[2] = {};
    dsp::EqualizerEngine engine_;
};
