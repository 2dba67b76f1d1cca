// The chain described once: its sections in processing order, what each one is (its record
// kind, the part of the plug-in it belongs to, whether the call's offset is added in front of
// it, which pass-filter slopes use it) and the records that hold one coefficient or state set
// per section. Every kernel, the designs and the settings derive their wiring from this.
#pragma once

#include <cstddef>
#include <cstdint>
#include <tuple>
#include <type_traits>
#include <utility>

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
constexpr Section kNoSection = static_cast<Section>(kSectionCount);

// The parts of the plug-in that switch sections on and off together.
enum class ChainPart : int { analog, lowBand, midBand, highBand, highPass, lowPass };
constexpr int kChainPartCount = 6;

// Pass-filter slopes (0: 6 dB/oct ... 3: 24 dB/oct) as bits of SectionTraits::slopes.
constexpr unsigned slopeBit(int slope) { return 1u << slope; }
constexpr int kSlopeCount = 4;

struct SectionTraits {
    ChainPart part;
    bool lowShelf;       // a shelf mixing allpass and input as a low shelf (else a high shelf)
    bool offsetInFront;  // its input gets the call's ±1e-15 offset while it runs
    unsigned slopes;     // pass-filter sections: the slopes that run it (slopeBit); 0 elsewhere
};

// In processing order. A pass filter runs, in this order, those of its sections whose slopes
// include the selected one: 6 dB/oct the first-order section, 12 stage 1, 18 the first-order
// section and stage 1, 24 stages 1 and 2.
constexpr SectionTraits kSectionTraits[kSectionCount] = {
    {ChainPart::analog, false, false, 0},
    {ChainPart::lowBand, true, false, 0},
    {ChainPart::lowBand, false, false, 0},
    {ChainPart::lowBand, false, false, 0},
    {ChainPart::midBand, false, true, 0},
    {ChainPart::highBand, false, true, 0},
    {ChainPart::highBand, false, true, 0},
    {ChainPart::highPass, false, false, slopeBit(0) | slopeBit(2)},
    {ChainPart::highPass, false, false, slopeBit(1) | slopeBit(2) | slopeBit(3)},
    {ChainPart::highPass, false, false, slopeBit(3)},
    {ChainPart::lowPass, false, true, slopeBit(0) | slopeBit(2)},
    {ChainPart::lowPass, false, true, slopeBit(1) | slopeBit(2) | slopeBit(3)},
    {ChainPart::lowPass, false, true, slopeBit(3)},
};
constexpr const SectionTraits& traitsOf(Section section) { return kSectionTraits[static_cast<int>(section)]; }
constexpr Section sectionAt(int index) { return static_cast<Section>(index); }
constexpr bool isPassFilter(ChainPart part) { return part == ChainPart::highPass || part == ChainPart::lowPass; }

// Whether `section` runs at `slope` of its pass filter (a section of no pass filter always runs).
constexpr bool runsAtSlope(Section section, int slope) {
    const SectionTraits& t = traitsOf(section);
    return !isPassFilter(t.part) || (t.slopes & slopeBit(slope)) != 0;
}

// A pass filter's slots: slot j holds the j-th section the slope runs. A pipeline gives each
// slot a stage, so every slope fits the same stages.
constexpr int kPassSlots = 2;
constexpr Section passSlotSection(ChainPart filter, int slope, int slot) {
    int found = 0;
    for (int i = 0; i < kSectionCount; ++i) {
        if (kSectionTraits[i].part == filter && runsAtSlope(sectionAt(i), slope) && found++ == slot) {
            return sectionAt(i);
        }
    }
    return kNoSection;
}
// Whether `section` is slot `slot` of its filter for some slope.
constexpr bool canFillSlot(Section section, int slot) {
    for (int slope = 0; slope < kSlopeCount; ++slope) {
        if (passSlotSection(traitsOf(section).part, slope, slot) == section) return true;
    }
    return false;
}

// The first section from index `from` on that can fill a slot of `filter`, or kNoSection.
constexpr Section nextSlotCandidate(ChainPart filter, int slot, int from) {
    for (int i = from; i < kSectionCount; ++i) {
        if (kSectionTraits[i].part == filter && canFillSlot(sectionAt(i), slot)) return sectionAt(i);
    }
    return kNoSection;
}

// One bit per Section.
constexpr uint32_t sectionBit(Section section) { return 1u << static_cast<int>(section); }
// The sections of `part`.
constexpr uint32_t sectionsOf(ChainPart part) {
    uint32_t bits = 0;
    for (int i = 0; i < kSectionCount; ++i) bits |= kSectionTraits[i].part == part ? sectionBit(sectionAt(i)) : 0u;
    return bits;
}
// The sections whose input gets the offset.
constexpr uint32_t offsetSections() {
    uint32_t bits = 0;
    for (int i = 0; i < kSectionCount; ++i) bits |= kSectionTraits[i].offsetInFront ? sectionBit(sectionAt(i)) : 0u;
    return bits;
}
// The sections a band that is off runs as the identity: the bands', which a kernel may pass
// without computing. (The Analog stage adds its noise, and pass filters are designed whenever
// they run.)
constexpr uint32_t kPassableSections =
    sectionsOf(ChainPart::lowBand) | sectionsOf(ChainPart::midBand) | sectionsOf(ChainPart::highBand);

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

// The members of a coefficient or state set in Section order: the one place that maps a
// Section to its member.
template <class Set>
constexpr auto kSectionMembers = std::make_tuple(&Set::analogShelf, &Set::lfShelf, &Set::lfDip, &Set::lfMain,
                                                 &Set::mfPeak, &Set::hfShelf, &Set::hfPeak, &Set::hpFirst,
                                                 &Set::hpStage1, &Set::hpStage2, &Set::lpFirst, &Set::lpStage1,
                                                 &Set::lpStage2);
template <Section kSection, class Set>
auto& sectionOf(Set& set) {
    return set.*std::get<static_cast<int>(kSection)>(kSectionMembers<std::remove_const_t<Set>>);
}

// Calls visit(std::integral_constant<Section, S>()) for every section S, in processing order, so
// that the visit chooses its code per section at compile time.
template <class Visit, size_t... kIndex>
__attribute__((always_inline)) inline void forEachSectionConstantIn(std::index_sequence<kIndex...>, Visit& visit) {
    (visit(std::integral_constant<Section, sectionAt(kIndex)>()), ...);
}
template <class Visit>
__attribute__((always_inline)) inline void forEachSectionConstant(Visit&& visit) {
    forEachSectionConstantIn(std::make_index_sequence<kSectionCount>(), visit);
}

// Calls visit(section, set.member...) for every section, in processing order.
template <size_t kIndex, class Visit, class... Sets>
void visitSection(Visit& visit, Sets&... sets) {
    visit(sectionAt(kIndex), sectionOf<sectionAt(kIndex)>(sets)...);
}
template <class Visit, class... Sets, size_t... kIndex>
void forEachSectionIn(std::index_sequence<kIndex...>, Visit& visit, Sets&... sets) {
    (visitSection<kIndex>(visit, sets...), ...);
}
template <class Visit, class... Sets>
void forEachSection(Visit&& visit, Sets&... sets) {
    forEachSectionIn(std::make_index_sequence<kSectionCount>(), visit, sets...);
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
