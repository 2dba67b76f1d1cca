// One LV2 instance of the equalizer, with the ports of lv2_ports.h. run() reads the control
// ports at its start, maps changed values to the normalized values the engine reads
// (parameters/real_values.h), lets the engine redesign what they concern on this thread, runs
// the engine's single-precision callback and writes the output level port once at its end.
#pragma once

#include <atomic>
#include <cstdint>

#include "equalizer_engine.h"
#include "lv2_ports.h"
#include "parameter_table.h"

class Lv2Equalizer {
public:
    static constexpr uint32_t kFirstAudioInput = lv2port::kFirstAudioInput;
    static constexpr uint32_t kFirstAudioOutput = lv2port::kFirstAudioOutput;
    static constexpr uint32_t kPortCount = lv2port::kCount;

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
    float* level_ = nullptr;
    std::atomic<double> peak_{0.0};  // the engine raises it during a run; only this thread reads it
    dsp::EqualizerEngine engine_;
};
