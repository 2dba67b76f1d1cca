// The chain written the plain way: one frame through every running section, in processing
// order, before the next. It is the portable kernel (on Pair, both channels at once) and the
// definition every other kernel must match bit for bit (the tests run it on double, one
// channel at a time).
#pragma once

#include <cstdint>

#include "analog_noise.h"
#include "call_settings.h"
#include "chain_layout.h"
#include "frame_io.h"
#include "state_hygiene.h"
#include "stereo_pair.h"

namespace dsp {

// One section's step, of the kind its record and traits say.
template <class T>
QX71_SECTION_STEP T sectionStep(Section section, const Shelf<T>& c, ShelfState<T>& s, T x) {
    return traitsOf(section).lowShelf ? lowShelfStep(c, s, x) : highShelfStep(c, s, x);
}
template <class T>
QX71_SECTION_STEP T sectionStep(Section, const Biquad<T>& c, BiquadState<T>& s, T x) {
    return biquadStep(c, s, x);
}
template <class T>
QX71_SECTION_STEP T sectionStep(Section, const FirstOrder<T>& c, FirstOrderState<T>& s, T x) {
    return firstOrderStep(c, s, x);
}

// One frame x through the sections in `running` (one bit per Section): the Analog noise is
// added in front of Analog's section, the offset in front of every section that takes one.
// Sections in `passing` pass x as the identity and keep it as their history.
template <class T>
T chainFrame(const ChainCoefficients<T>& c, ChainStates<T>& s, uint32_t running, uint32_t passing, T x, T noise,
             T offset) {
    forEachSection(
        [&](Section section, const auto& coefficients, auto& state) {
            if ((running & sectionBit(section)) == 0) return;
            const SectionTraits& traits = traitsOf(section);
            if (traits.part == ChainPart::analog) x = x + noise;
            if (traits.offsetInFront) x = x + offset;
            if ((passing & sectionBit(section)) != 0) {
                passThrough(state, x);
            } else {
                x = sectionStep(section, coefficients, state, x);
            }
        },
        c, s);
    return x;
}

// The portable kernel: runs `frames` frames like ChainKernel::process and leaves the states
// cleaned up; returns the largest frame level when settings.measurePeak asks for it.
template <class Sample>
double runPortable(const ChainCoefficients<Pair>& c, ChainStates<Pair>& s, const Sample* const* inputs,
                   Sample* const* outputs, int32_t frames, const CallSettings& settings, double offset,
                   uint32_t& noiseSeed) {
    const uint32_t running = runningSections(settings);
    const bool analog = (running & sectionsOf(ChainPart::analog)) != 0;
    FrameWriter<Sample> writer(outputs, settings);
    for (int32_t n = 0; n < frames; ++n) {
        Pair noise;
        if (analog) {
            const double left = nextAnalogNoise(noiseSeed);
            noise = Pair(left, nextAnalogNoise(noiseSeed));
        }
        // Read before the write: the output may be the input.
        writer.write(n, chainFrame(c, s, running, settings.passingSections, loadFrame(inputs, n), noise, Pair(offset)));
        if ((n + 1) % kCleanInterval == 0) cleanStates(s);
    }
    cleanStates(s);
    return writer.peak();
}

}  // namespace dsp
