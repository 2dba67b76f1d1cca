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

// A frame's values at the passing sections' inputs: low band, mid band, high shelf, high bell.
struct TransparentFrame {
    Pair low, mid, highShelf, highPeak;
};

inline TransparentFrame transparentFrame(Pair x, Pair midOffset, Pair highOffset) {
    const Pair mid = x + midOffset;
    const Pair highShelf = mid + highOffset;
    return {x, mid, highShelf, highShelf + highOffset};
}

// Runs `frames` frames (> 0); returns the largest frame level when settings.measurePeak asks.
template <class Sample>
double runTransparent(ChainStates<Pair>& s, const Sample* const* inputs, Sample* const* outputs, int32_t frames,
                      const CallSettings& settings, double offset) {
    // −0 where a band does not run: x + (−0) is x for every x.
    const Pair midOffset(settings.midBand ? offset : -0.0);
    const Pair highOffset(settings.highBand ? offset : -0.0);
    FrameWriter<Sample> writer(outputs, settings);
    const int32_t historyStart = std::max(0, frames - 2);
    for (int32_t n = 0; n < historyStart; ++n) {
        writer.write(n, transparentFrame(loadFrame(inputs, n), midOffset, highOffset).highPeak);
    }
    const uint32_t passing = settings.passingSections;
    const auto keep = [passing](Section section, auto& state, Pair x) {
        if ((passing & sectionBit(section)) != 0) passThrough(state, x);
    };
    for (int32_t n = historyStart; n < frames; ++n) {
        // Read before the write: the output may be the input.
        const TransparentFrame f = transparentFrame(loadFrame(inputs, n), midOffset, highOffset);
        keep(Section::lfShelf, s.lfShelf, f.low);
        keep(Section::lfDip, s.lfDip, f.low);
        keep(Section::lfMain, s.lfMain, f.low);
        keep(Section::mfPeak, s.mfPeak, f.mid);
        keep(Section::hfShelf, s.hfShelf, f.highShelf);
        keep(Section::hfPeak, s.hfPeak, f.highPeak);
        writer.write(n, f.highPeak);
    }
    cleanStates(s);
    return writer.peak();
}

}  // namespace dsp
