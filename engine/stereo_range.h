// Runs frames [begin, end) of a host's stereo buffers through the engine, whose frame count is a
// signed 32-bit number: in calls of at most 2^30 frames. An empty range still makes its one call,
// which takes new designs and moves the denormal offset on as every edition's empty call does.
#pragma once

#include <atomic>
#include <cstdint>

#include "equalizer_engine.h"

namespace dsp {

template <class Sample>
void processStereoRange(EqualizerEngine& engine, const Sample* const* inputs, Sample* const* outputs, uint32_t begin,
                        uint32_t end, std::atomic<double>* peakLevel) {
    constexpr uint32_t kLongestCall = 1u << 30;
    do {
        const uint32_t part = end - begin < kLongestCall ? end - begin : kLongestCall;
        const Sample* in[2] = {inputs[0] + begin, inputs[1] + begin};
        Sample* out[2] = {outputs[0] + begin, outputs[1] + begin};
        if constexpr (sizeof(Sample) == sizeof(float)) {
            engine.processReplacing(in, out, static_cast<int32_t>(part), false, peakLevel);
        } else {
            engine.processDoubleReplacing(in, out, static_cast<int32_t>(part), false, peakLevel);
        }
        begin += part;
    } while (begin < end);
}

}  // namespace dsp
