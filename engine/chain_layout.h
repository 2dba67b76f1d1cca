// Every section of one channel's chain, in processing order, as one coefficient set and one
// state set. forEachSection visits the members of several such sets side by side.
#pragma once

#include <cstdint>

#include "filter_sections.h"

namespace dsp {

enum class Section : int {
    analogShelf,
    lfShelf,
    lfDip,
    lfMain,
    mfPeak,
    hfShelf,
    hfPeak,
    hpFirst,
    hpStage1,
    hpStage2,
    lpFirst,
    lpStage1,
    lpStage2,
};
constexpr int kSectionCount = 13;

template <class T>
struct ChainCoefficients {
    Shelf<T> analogShelf, lfShelf;
    Biquad<T> lfDip, lfMain, mfPeak;
    Shelf<T> hfShelf;
    Biquad<T> hfPeak;
    FirstOrder<T> hpFirst;
    Biquad<T> hpStage1, hpStage2;
    FirstOrder<T> lpFirst;
    Biquad<T> lpStage1, lpStage2;
};

template <class T>
struct ChainStates {
    ShelfState<T> analogShelf, lfShelf;
    BiquadState<T> lfDip, lfMain, mfPeak;
    ShelfState<T> hfShelf;
    BiquadState<T> hfPeak;
    FirstOrderState<T> hpFirst;
    BiquadState<T> hpStage1, hpStage2;
    FirstOrderState<T> lpFirst;
    BiquadState<T> lpStage1, lpStage2;
};

// Calls visit(section, set.member...) for every section, in processing order.
template <class Visit, class... Sets>
void forEachSection(Visit&& visit, Sets&... sets) {
    visit(Section::analogShelf, sets.analogShelf...);
    visit(Section::lfShelf, sets.lfShelf...);
    visit(Section::lfDip, sets.lfDip...);
    visit(Section::lfMain, sets.lfMain...);
    visit(Section::mfPeak, sets.mfPeak...);
    visit(Section::hfShelf, sets.hfShelf...);
    visit(Section::hfPeak, sets.hfPeak...);
    visit(Section::hpFirst, sets.hpFirst...);
    visit(Section::hpStage1, sets.hpStage1...);
    visit(Section::hpStage2, sets.hpStage2...);
    visit(Section::lpFirst, sets.lpFirst...);
    visit(Section::lpStage1, sets.lpStage1...);
    visit(Section::lpStage2, sets.lpStage2...);
}

// The designers' result: coefficients plus, per section, how many times a design has reset
// it. The audio side clears a section's states when its count moves, so a reset reaches the
// states even though only the audio thread may touch them.
struct DesignedChain {
    ChainCoefficients<double> coefficients = initialCoefficients();
    uint32_t resetCount[kSectionCount] = {};

    static ChainCoefficients<double> initialCoefficients();
};

}  // namespace dsp
