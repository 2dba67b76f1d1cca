// The chain when no section computes: every section that runs passes as the identity (the bands
// that are off), so a frame only gets the offsets of the running bands, and the passing
// sections keep the last frames as their history. Gives the bits of the full frame loops.
#pragma once

#include <algorithm>
#include <cstdint>

#include "call_settings.h"
#include "chain_layout.h"
#include "frame_io.h"
#include "state_hygiene.h"

namespace dsp {

// Only the bands' sections can pass as the identity, so only they take part.
template <class Visit>
__attribute__((always_inline)) inline void forEachPassableSection(Visit&& visit) {
    forEachSectionConstant([&visit](auto section) {
        if constexpr ((kPassableSections & sectionBit(decltype(section)::value)) != 0) visit(section);
    });
}

// Runs `frames` frames (> 0); returns the largest frame level when settings.measurePeak asks.
template <class Sample>
double runTransparent(ChainStates<Pair>& s, const Sample* const* inputs, Sample* const* outputs, int32_t frames,
                      const CallSettings& settings, double offset) {
    // The offset in front of each running band section that takes one; −0 elsewhere: x + (−0)
    // is x for every x.
    const uint32_t running = runningSections(settings);
    Pair offsets[kSectionCount];
    forEachPassableSection([&](auto section) {
        constexpr Section kSection = decltype(section)::value;
        if constexpr (traitsOf(kSection).offsetInFront) {
            offsets[static_cast<int>(kSection)] = Pair((running & sectionBit(kSection)) != 0 ? offset : -0.0);
        }
    });
    const uint32_t passing = settings.passingSections;
    FrameWriter<Sample> writer(outputs, settings);
    // Every frame through the sections' offsets; the last two also into the passing sections'
    // history. Read before the write: the output may be the input.
    const auto run = [&](int32_t n, auto keepHistory) {
        Pair x = loadFrame(inputs, n);
        forEachPassableSection([&](auto section) {
            constexpr Section kSection = decltype(section)::value;
            if constexpr (traitsOf(kSection).offsetInFront) x = x + offsets[static_cast<int>(kSection)];
            if (keepHistory && (passing & sectionBit(kSection)) != 0) passThrough(sectionOf<kSection>(s), x);
        });
        writer.write(n, x);
    };
    const int32_t historyStart = std::max(0, frames - 2);
    for (int32_t n = 0; n < historyStart; ++n) run(n, std::false_type());
    for (int32_t n = historyStart; n < frames; ++n) run(n, std::true_type());
    cleanStates(s);
    return writer.peak();
}

}  // namespace dsp
