#include "lv2_equalizer.h"

#include <cmath>

#include "real_values.h"
#include "stereo_range.h"

bool Lv2Equalizer::usableRate(double sampleRate) {
    const float rate = static_cast<float>(sampleRate);
    return rate > 0.0f && std::isfinite(rate);
}

Lv2Equalizer::Lv2Equalizer(double sampleRate, uint32_t noiseSeed) : engine_(values_) {
    for (int i = 0; i < param::count; ++i) {
        values_[i].store(param::kTable[i].defaultValue, std::memory_order_relaxed);
        seen_[i] = param::realDefault(param::kTable[i]);
    }
    engine_.setNoiseSeed(noiseSeed);
    // The VST 2.4 edition receives its rate in single precision; the same rounding keeps the
    // two editions' designs identical.
    engine_.updateAllSections(static_cast<float>(sampleRate));
}

void Lv2Equalizer::connect(uint32_t port, void* data) {
    if (port < kFirstAudioInput) {
        controls_[port] = static_cast<const float*>(data);
    } else if (port < kFirstAudioOutput) {
        inputs_[port - kFirstAudioInput] = static_cast<const float*>(data);
    } else if (port < lv2port::kOutputLevel) {
        outputs_[port - kFirstAudioOutput] = static_cast<float*>(data);
    } else if (port == lv2port::kOutputLevel) {
        level_ = static_cast<float*>(data);
    }
}

void Lv2Equalizer::takeControls() {
    for (int i = 0; i < param::count; ++i) {
        if (controls_[i] == nullptr) continue;
        const float real = *controls_[i];
        if (real == seen_[i]) continue;
        seen_[i] = real;
        const float normalized = param::normalizedOfReal(param::kTable[i], real);
        // A NaN is refused, as the VST 2.4 edition refuses it, so it never reaches the filters.
        if (std::isnan(normalized) || normalized == values_[i].load(std::memory_order_relaxed)) continue;
        values_[i].store(normalized, std::memory_order_relaxed);
        engine_.parameterChanged(i);
    }
}

void Lv2Equalizer::run(uint32_t frames) {
    takeControls();
    // An empty call still counts for the engine (it takes new designs and moves its denormal
    // offset on, as in the VST 2.4 edition), whatever its buffers.
    const bool connected = inputs_[0] && inputs_[1] && outputs_[0] && outputs_[1];
    peak_.store(0.0, std::memory_order_relaxed);
    // The level is measured only for a host that connected its port.
    if (frames == 0 || connected) {
        dsp::processStereoRange(engine_, inputs_, outputs_, 0, frames, level_ != nullptr ? &peak_ : nullptr);
    }
    if (level_ != nullptr) *level_ = static_cast<float>(peak_.load(std::memory_order_relaxed));
}
