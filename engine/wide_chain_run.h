// The frame loop of the wide chain kernel: a template over a lane-operations type L (such as
// Avx512Lanes of avx512_lanes.h) with the register type L::W (four slots, each a section's left
// and right channel), L::Mask, L::kSlots and static operations: slotLanes, splat, blend,
// blendBits, withLanes, withSlot, withSlotFrom, pairIn, storeSlot, pick, the loads and stores,
// interleave, channelOf, absLanes, maxLanes, largestLane and drawNoise (the Analog noise in
// blocks).
//
// GCC compiles a template for the target in force where the template is defined, and an
// always-inline operation of L inlines only into code of its own target: so a kernel's file
// includes this header inside its instruction set's target region. Everything here has internal
// linkage (anonymous namespace), so no code compiled for that instruction set stands in for the
// default-target code of other files; the includes below keep the default target wherever this
// header is included.
#pragma once

#pragma GCC push_options
#pragma GCC reset_options
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <tuple>
#include <type_traits>
#include <utility>

#include "call_settings.h"
#include "chain_layout.h"
#include "filter_sections.h"
#include "frame_io.h"
#include "state_hygiene.h"
#include "stereo_pair.h"
#pragma GCC pop_options

namespace dsp {
namespace {

// Register groups, each with four sections of one kind, and every section's place in them,
// derived from the kinds of the sections in processing order (chain_layout.h): the shelves
// and the first-order sections each fill their group from slot 0, the first four biquads the
// front group and the next four the back group. For the chain of chain_layout.h:
//
//   group          slot 0        slot 1        slot 2        slot 3
//   shelves        analogShelf   lfShelf       hfShelf       (the next input frame)
//   frontBiquads   lfDip         lfMain        mfPeak        hfPeak
//   firstOrders    hpFirst       lpFirst       -             -
//   backBiquads    hpStage1      hpStage2      lpStage1      lpStage2
enum Group { shelves, frontBiquads, firstOrders, backBiquads, kGroups };
constexpr int kGroupSlots = 4;
// The shelves' last slot carries the next input frame to the first section.
constexpr int kInputSlot = kGroupSlots - 1;

struct Place {
    Group group;
    int slot;
};

enum class Kind { shelf, biquad, firstOrder };
constexpr Kind kindOf(const Shelf<double>*) { return Kind::shelf; }
constexpr Kind kindOf(const Biquad<double>*) { return Kind::biquad; }
constexpr Kind kindOf(const FirstOrder<double>*) { return Kind::firstOrder; }
template <size_t... kIndex>
constexpr std::array<Kind, kSectionCount> sectionKinds(std::index_sequence<kIndex...>) {
    return {kindOf(static_cast<std::remove_reference_t<decltype(sectionOf<sectionAt(kIndex)>(
                       std::declval<ChainCoefficients<double>&>()))>*>(nullptr))...};
}
constexpr std::array<Kind, kSectionCount> kKinds = sectionKinds(std::make_index_sequence<kSectionCount>());

constexpr std::array<Place, kSectionCount> sectionPlaces() {
    std::array<Place, kSectionCount> places{};
    for (int i = 0; i < kSectionCount; ++i) {
        int k = 0;  // the sections of its kind before it
        for (int j = 0; j < i; ++j) k += kKinds[j] == kKinds[i] ? 1 : 0;
        switch (kKinds[i]) {
            case Kind::shelf: places[i] = {shelves, k}; break;
            case Kind::firstOrder: places[i] = {firstOrders, k}; break;
            case Kind::biquad:
                places[i] = k < kGroupSlots ? Place{frontBiquads, k} : Place{backBiquads, k - kGroupSlots};
        }
    }
    return places;
}
constexpr std::array<Place, kSectionCount> kPlaces = sectionPlaces();
constexpr Place placeOf(Section section) { return kPlaces[static_cast<int>(section)]; }
constexpr bool placesFit() {
    for (const Place& place : kPlaces) {
        if (place.slot >= (place.group == shelves ? kInputSlot : kGroupSlots)) return false;
    }
    return true;
}
static_assert(placesFit(), "every section has a slot of its own");

// The section in `slot` of `group`, or kNoSection.
constexpr Section sectionIn(Group group, int slot) {
    for (int i = 0; i < kSectionCount; ++i) {
        if (kPlaces[i].group == group && kPlaces[i].slot == slot) return sectionAt(i);
    }
    return kNoSection;
}

// The slots (bit i: slot i) of `group` whose sections are in `sections` (one bit per Section).
constexpr unsigned slotsIn(Group group, uint32_t sections) {
    unsigned slots = 0;
    for (int i = 0; i < kSectionCount; ++i) {
        if (kPlaces[i].group == group && (sections & sectionBit(sectionAt(i))) != 0) slots |= 1u << kPlaces[i].slot;
    }
    return slots;
}
constexpr unsigned slotBit(Section section) { return 1u << placeOf(section).slot; }

// The sections that are low shelves (the other shelves are high shelves).
constexpr uint32_t lowShelfSections() {
    uint32_t bits = 0;
    for (int i = 0; i < kSectionCount; ++i) bits |= kSectionTraits[i].lowShelf ? sectionBit(sectionAt(i)) : 0u;
    return bits;
}

// The sections in the pipeline, in processing order. The first-order sections of the pass
// filters only join when one of them runs.
template <bool kFirstOrders>
constexpr bool inPipeline(Section section) {
    return kFirstOrders || placeOf(section).group != firstOrders;
}
template <bool kFirstOrders>
constexpr int stageCount() {
    int count = 0;
    for (int i = 0; i < kSectionCount; ++i) count += inPipeline<kFirstOrders>(sectionAt(i)) ? 1 : 0;
    return count;
}
template <bool kFirstOrders>
constexpr std::array<Section, stageCount<kFirstOrders>()> stageOrder() {
    std::array<Section, stageCount<kFirstOrders>()> sections{};
    int stage = 0;
    for (int i = 0; i < kSectionCount; ++i) {
        if (inPipeline<kFirstOrders>(sectionAt(i))) sections[stage++] = sectionAt(i);
    }
    return sections;
}
template <bool kFirstOrders>
struct Stages {
    static constexpr int kCount = stageCount<kFirstOrders>();
    static constexpr std::array<Section, kCount> kOrder = stageOrder<kFirstOrders>();
    static constexpr Section at(int stage) { return kOrder[stage]; }
};

// Where `section` finds its input: the output of the stage before it, and the first stage
// the input frame in the shelves' input slot.
template <bool kFirstOrders>
constexpr Place sourceOf(Section section) {
    for (int stage = 1; stage < Stages<kFirstOrders>::kCount; ++stage) {
        if (Stages<kFirstOrders>::at(stage) == section) return placeOf(Stages<kFirstOrders>::at(stage - 1));
    }
    return {shelves, kInputSlot};
}
// The groups whose outputs hold the inputs of the slots of `group`, in Group order: a pick
// reads two registers (the first one twice where one group holds every input).
struct InputGroups {
    Group first = shelves, second = shelves;
    int count = 0;
};
template <bool kFirstOrders>
constexpr InputGroups inputGroups(Group group) {
    bool from[kGroups] = {};
    for (int slot = 0; slot < kGroupSlots; ++slot) {
        const Section section = sectionIn(group, slot);
        if (section != kNoSection && inPipeline<kFirstOrders>(section))
            from[sourceOf<kFirstOrders>(section).group] = true;
    }
    InputGroups groups;
    for (int i = 0; i < kGroups; ++i) {
        if (!from[i]) continue;
        if (groups.count == 0) groups.first = static_cast<Group>(i);
        groups.second = static_cast<Group>(i);
        ++groups.count;
    }
    return groups;
}
// The pick<> indices that gather the inputs of the slots of `group` from the outputs of the
// group `first` (indices 0–3) and of the other group of inputGroups (4–7). A slot without a
// section in the pipeline takes the input slot of `first`.
template <bool kFirstOrders>
constexpr std::array<int, kGroupSlots> inputIndices(Group group, Group first) {
    std::array<int, kGroupSlots> indices{};
    for (int slot = 0; slot < kGroupSlots; ++slot) {
        const Section section = sectionIn(group, slot);
        if (section == kNoSection || !inPipeline<kFirstOrders>(section)) {
            indices[slot] = kInputSlot;
            continue;
        }
        const Place from = sourceOf<kFirstOrders>(section);
        indices[slot] = from.group == first ? from.slot : kGroupSlots + from.slot;
    }
    return indices;
}

// The call's offset: every section with one in front gets it there, except those listed in
// kOffsetMoved. Theirs is moved off the shelves' critical path: it is added to the output of
// the section before them (a front biquad, which feeds only that section) while they run.
constexpr Section kOffsetMoved[] = {Section::hfShelf};
constexpr uint32_t movedOffsetSections() {
    uint32_t bits = 0;
    for (Section section : kOffsetMoved) bits |= sectionBit(section);
    return bits;
}
constexpr uint32_t kOffsetInFront = offsetSections() & ~movedOffsetSections();
// The slots of the front biquads whose output carries the offset of the section after them
// when that one runs (one bit per Section in `running`).
constexpr unsigned movedOffsetSlots(uint32_t running) {
    unsigned slots = 0;
    for (Section section : kOffsetMoved) {
        if ((running & sectionBit(section)) != 0) slots |= 1u << sourceOf<true>(section).slot;
    }
    return slots;
}
constexpr bool movedOffsetsFit() {
    for (Section section : kOffsetMoved) {
        const Place from = sourceOf<true>(section);
        if (!traitsOf(section).offsetInFront || from.group != frontBiquads ||
            from.group != sourceOf<false>(section).group || from.slot != sourceOf<false>(section).slot) {
            return false;
        }
    }
    return true;
}
static_assert(movedOffsetsFit(), "a moved offset goes to a front biquad's output in both pipelines");

// Stage k works on frame n − kSkew·k in loop iteration n, so a section's input comes from
// the iteration kSkew before: the loop keeps kSkew sets of group outputs, and the long
// multiply-add chain from one section's input to its output overlaps with the next
// kSkew − 1 iterations instead of holding up the next one.
constexpr int kSkew = 2;
template <bool kFirstOrders>
constexpr int kLatency = kSkew*(Stages<kFirstOrders>::kCount - 1);
// The loop runs in blocks of kBlock iterations: before a block, the input frames it takes
// (with the Analog noise added) are gathered into a buffer of pairs, and after it, the
// output frames it made are scaled and written out, eight frames per instruction.
constexpr int kBlock = 32 * kSkew;
// States are cleaned up every kCleanBlocks blocks and at the end of every call.
constexpr int kCleanBlocks = 4;
static_assert(kCleanBlocks * kBlock > kLatency<true>, "no clean-up before every stage has started");

// The groups whose lanes compute (a set of bits 1 << Group): a frame loop is compiled for each
// set, so that a group with nothing to compute costs only the passing of its lanes.
constexpr bool computes(unsigned groups, Group group) { return (groups & (1u << group)) != 0; }
constexpr unsigned kGroupSets = 1u << kGroups;

// Copies one section's record (a plain run of values) into or out of a slot.
template <class L, template <class> class Record>
void putSlot(Record<typename L::W>& wide, const Record<Pair>& pair, int slot) {
    using W = typename L::W;
    static_assert(sizeof(Record<W>) / sizeof(W) == sizeof(Record<Pair>) / sizeof(Pair), "same members");
    W* to = reinterpret_cast<W*>(&wide);
    const Pair* from = reinterpret_cast<const Pair*>(&pair);
    for (size_t i = 0; i < sizeof(Record<Pair>) / sizeof(Pair); ++i) to[i] = L::withSlot(to[i], slot, from[i]);
}
template <class L, template <class> class Record>
void takeSlot(const Record<typename L::W>& wide, Record<Pair>& pair, int slot) {
    using W = typename L::W;
    const W* from = reinterpret_cast<const W*>(&wide);
    Pair* to = reinterpret_cast<Pair*>(&pair);
    for (size_t i = 0; i < sizeof(Record<Pair>) / sizeof(Pair); ++i) to[i] = L::pairIn(from[i], slot);
}

// Copies the lanes `lanes` of a state record.
template <class L, template <class> class State>
__attribute__((always_inline)) inline void merge(State<typename L::W>& to, const State<typename L::W>& from,
                                                 typename L::Mask lanes) {
    using W = typename L::W;
    W* target = reinterpret_cast<W*>(&to);
    const W* source = reinterpret_cast<const W*>(&from);
    for (size_t i = 0; i < sizeof(State<W>) / sizeof(W); ++i) target[i] = L::withLanes(target[i], lanes, source[i]);
}

// FrameWriter for eight frames at a time: the same operations lane by lane.
template <class L, class Sample>
class BlockWriter {
    using W = typename L::W;

public:
    BlockWriter(Sample* const* outputs, const CallSettings& settings)
        : frames_(outputs, settings),
          outputs_(outputs),
          gain_(L::splat(settings.outputGain)),
          polarity_(L::splat(settings.polarity)),
          mono_(settings.mono),
          measurePeak_(settings.measurePeak) {}

    // Writes frames [first, end) from pairs (pairs[0] is frame first).
    void write(const double* pairs, int32_t first, int32_t end) {
        int32_t frame = first;
        for (; frame + 8 <= end; frame += 8, pairs += 16) {
            const W scaledFirst = L::loadLanes(pairs) * gain_;
            const W scaledLast = L::loadLanes(pairs + 8) * gain_;
            const W left = L::template channelOf<0>(scaledFirst * polarity_, scaledLast * polarity_);
            const W right = mono_ ? left : L::template channelOf<1>(scaledFirst * polarity_, scaledLast * polarity_);
            L::storeEight(outputs_[0] + frame, left);
            L::storeEight(outputs_[1] + frame, right);
            if (measurePeak_) peak_ = L::maxLanes(level(scaledFirst, scaledLast), peak_);
        }
        for (; frame < end; ++frame, pairs += 2) frames_.write(frame, Pair(_mm_loadu_pd(pairs)));
    }
    double peak() const { return std::max(frames_.peak(), L::largestLane(peak_)); }

private:
    // The frame levels; a NaN level, as in FrameWriter, never raises the peak (maxLanes then
    // returns its second operand).
    W level(W scaledFirst, W scaledLast) const {
        const W left = L::absLanes(L::template channelOf<0>(scaledFirst, scaledLast));
        if (mono_) return left;
        const W right = L::absLanes(L::template channelOf<1>(scaledFirst, scaledLast));
        return (left + right) * L::splat(0.5);
    }

    FrameWriter<Sample> frames_;
    Sample* const* outputs_;
    const W gain_;
    const W polarity_;
    const bool mono_;
    const bool measurePeak_;
    W peak_ = L::splat(0.0);
};

// Four sections of one kind side by side, and which of them run at all: the others pass their
// input on unchanged.
template <class L, template <class> class Coefficients, template <class> class State>
struct GroupLanes {
    Coefficients<typename L::W> c{};
    State<typename L::W> s{};
    typename L::Mask running = 0;
};

template <class L, class Sample>
class WideRun {
    using W = typename L::W;
    using Mask = typename L::Mask;
    using ShelfLanes = GroupLanes<L, Shelf, ShelfState>;
    using BiquadLanes = GroupLanes<L, Biquad, BiquadState>;
    using FirstOrderLanes = GroupLanes<L, FirstOrder, FirstOrderState>;
    static_assert(L::kSlots == kGroupSlots, "a register holds one slot per section of a group");

    static constexpr Mask lanesOf(Section section) { return L::slotLanes(slotBit(section)); }
    static constexpr Mask lanesIn(Group group, uint32_t sections) { return L::slotLanes(slotsIn(group, sections)); }
    // The offset in the lanes of `group` whose sections get one in front and run; −0 elsewhere.
    static W offsetLanes(Group group, uint32_t running, double offset) {
        return L::blend(lanesIn(group, kOffsetInFront & running), L::splat(-0.0), L::splat(offset));
    }

public:
    WideRun(const ChainCoefficients<Pair>& c, ChainStates<Pair>& s, const Sample* const* inputs, Sample* const* outputs,
            int32_t frames, const CallSettings& settings, double offset)
        : states_(s),
          inputs_(inputs),
          writer_(outputs, settings),
          frames_(frames),
          analog_(settings.analog),
          running_(runningSections(settings)),
          computing_(running_ & ~settings.passingSections),
          offsetInFront_{offsetLanes(shelves, running_, offset), offsetLanes(frontBiquads, running_, offset),
                         offsetLanes(firstOrders, running_, offset), offsetLanes(backBiquads, running_, offset)},
          // Added to the front biquads' lanes whether their sections run or not.
          offsetMoved_(L::blend(L::slotLanes(movedOffsetSlots(running_)), L::splat(-0.0), L::splat(offset))) {
        forEachSection([this](Section section, const auto& coefficients,
                              const auto& state) { load(section, coefficients, state); },
                       c, s);
        shelves_.running |= L::slotLanes(1u << kInputSlot);
        constexpr Mask kAll = L::slotLanes((1u << kGroupSlots) - 1);
        allRunning_ = shelves_.running == kAll && front_.running == kAll && back_.running == kAll;
    }

    // Returns the largest frame level; `seed` advances by the noise draws.
    double run(uint32_t& seed) {
        // The first-order group joins the pipeline whenever one of its sections runs.
        const unsigned groups = (slotsIn(shelves, computing_) != 0 ? 1u << shelves : 0u) |
                                (slotsIn(frontBiquads, computing_) != 0 ? 1u << frontBiquads : 0u) |
                                (firstOrders_.running != 0 ? 1u << firstOrders : 0u) |
                                (slotsIn(backBiquads, computing_) != 0 ? 1u << backBiquads : 0u);
        runFramesOf(groups, seed, std::make_integer_sequence<unsigned, kGroupSets>());
        keepFinals();
        cleanStates(states_);
        return writer_.peak();
    }

private:
    struct Outputs {
        W group[kGroups];
    };
    struct Working {
        ShelfLanes shelves;
        BiquadLanes front;
        FirstOrderLanes firstOrders;
        BiquadLanes back;
        Outputs o[kSkew];
        W offsetInFront[kGroups];
        W offsetMoved;
        bool allRunning;

        void saveTo(WideRun& run) const {
            run.shelves_.s = shelves.s;
            run.front_.s = front.s;
            run.firstOrders_.s = firstOrders.s;
            run.back_.s = back.s;
        }
        void loadFrom(const WideRun& run) {
            shelves.s = run.shelves_.s;
            front.s = run.front_.s;
            firstOrders.s = run.firstOrders_.s;
            back.s = run.back_.s;
        }
    };

    // The frame loop for the set of computing groups `groups`.
    template <unsigned... kSets>
    void runFramesOf(unsigned groups, uint32_t& seed, std::integer_sequence<unsigned, kSets...>) {
        ((groups == kSets ? runFrames<kSets>(seed) : void()), ...);
    }

    // The frame loop works on local copies of the lanes and of everything else it reads,
    // which the compiler keeps in registers: output stores cannot alias them.
    template <unsigned kComputing>
    void runFrames(uint32_t& seed) {
        constexpr bool kFirstOrders = computes(kComputing, firstOrders);
        Working w{shelves_, front_, firstOrders_, back_, {}, {}, offsetMoved_, allRunning_};
        std::copy(offsetInFront_, offsetInFront_ + kGroups, w.offsetInFront);
        gatherFrames(firstFrames_, 0, kSkew, seed);
        for (int j = 0; j < kSkew; ++j) {
            w.o[j].group[shelves] = L::template withSlotFrom<kInputSlot>(w.o[j].group[shelves], firstFrames_ + 2 * j);
        }
        constexpr int latency = kLatency<kFirstOrders>;
        const int32_t iterations = frames_ + latency;
        const int32_t lastFrame = frames_ - 1;
        for (int32_t start = 0, block = 1; start < iterations; start += kBlock, ++block) {
            // Iteration n takes frame n + kSkew and makes frame n − latency.
            const int32_t length = std::min(kBlock, (iterations - start + kSkew - 1) / kSkew * kSkew);
            gatherFrames(firstFrames_, start + kSkew, length, seed);
            // Lanes passing without computing keep their history in the blocks that hold a
            // stage's last two frames, which all begin at or after lastFrame − kSkew; the
            // loop of the other blocks leaves that work out.
            constexpr bool kAllCompute =
                kComputing == (kGroupSets - 1) || kComputing == (kGroupSets - 1 - (1u << firstOrders));
            if (!kAllCompute && start + length > lastFrame - kSkew) {
                runBlock<kComputing, true>(w, start, length, lastFrame);
            } else {
                runBlock<kComputing, false>(w, start, length, lastFrame);
            }
            const int32_t firstDone = start - latency;
            const int32_t skipped = std::max(0, -firstDone);
            writer_.write(doneFrames_ + 2 * skipped, firstDone + skipped, std::min(firstDone + length, frames_));
            if (block % kCleanBlocks == 0 && start + kBlock < iterations) {
                w.saveTo(*this);
                cleanWorkingStates();
                w.loadFrom(*this);
            }
        }
    }

    // Iterations start to start + length of the call (a block).
    template <unsigned kComputing, bool kRecord>
    __attribute__((always_inline)) void runBlock(Working& w, int32_t start, int32_t length, int32_t lastFrame) {
        constexpr bool kFirstOrders = computes(kComputing, firstOrders);
        for (int32_t i = 0; i < length; i += kSkew) {
            const int32_t n = start + i;
            if (n <= kLatency<kFirstOrders> && n > 0) startStage(Stages<kFirstOrders>::at(n / kSkew), w);
#pragma GCC unroll 4
            for (int j = 0; j < kSkew; ++j) {
                iteration<kComputing, kRecord>(w, w.o[j], i + j);
                if (n + j >= lastFrame) finishStage<kFirstOrders>(n + j - lastFrame, w);
            }
        }
    }

    // Stage k starts on its first frame in iteration kSkew·k: until then its lanes ran on
    // nothing, so they get their states from before the call back.
    __attribute__((always_inline)) void startStage(Section section, Working& w) const {
        const Mask lanes = lanesOf(section);
        switch (placeOf(section).group) {
            case shelves: merge<L>(w.shelves.s, shelves_.s, lanes); break;
            case frontBiquads: merge<L>(w.front.s, front_.s, lanes); break;
            case firstOrders: merge<L>(w.firstOrders.s, firstOrders_.s, lanes); break;
            default: merge<L>(w.back.s, back_.s, lanes); break;
        }
    }

    // After iteration lastFrame + kSkew·k (after = 0, kSkew, ...), stage k has made its
    // last frame of the call: a running section's states are final and go back to the chain.
    template <bool kFirstOrders>
    __attribute__((always_inline)) void finishStage(int32_t after, const Working& w) {
        if (after % kSkew != 0 || after / kSkew >= Stages<kFirstOrders>::kCount) return;
        const Section section = Stages<kFirstOrders>::at(after / kSkew);
        const Mask lanes = lanesOf(section);
        switch (placeOf(section).group) {
            case shelves: merge<L>(finals_.shelves, w.shelves.s, lanes); break;
            case frontBiquads: merge<L>(finals_.front, w.front.s, lanes); break;
            case firstOrders: merge<L>(finals_.firstOrders, w.firstOrders.s, lanes); break;
            default: merge<L>(finals_.back, w.back.s, lanes); break;
        }
    }
    // The final states of the running sections go back to the chain.
    void keepFinals() {
        forEachSection(
            [this](Section section, auto& s) {
                if ((running_ & sectionBit(section)) != 0) {
                    takeSlot<L>(finals_.of(section, s), s, placeOf(section).slot);
                }
            },
            states_);
    }

    template <template <class> class Coefficients, template <class> class State>
    void place(GroupLanes<L, Coefficients, State>& lanes, Section section, const Coefficients<Pair>& c,
               const State<Pair>& s) {
        putSlot<L>(lanes.c, c, placeOf(section).slot);
        putSlot<L>(lanes.s, s, placeOf(section).slot);
        if ((running_ & sectionBit(section)) != 0) lanes.running |= lanesOf(section);
    }
    void load(Section section, const Shelf<Pair>& c, const ShelfState<Pair>& s) { place(shelves_, section, c, s); }
    void load(Section section, const FirstOrder<Pair>& c, const FirstOrderState<Pair>& s) {
        place(firstOrders_, section, c, s);
    }
    void load(Section section, const Biquad<Pair>& c, const BiquadState<Pair>& s) {
        place(placeOf(section).group == frontBiquads ? front_ : back_, section, c, s);
    }

    // Working states of every slot, also of sections that do not run (their lanes compute
    // on the passing signal and are never written back).
    ShelfState<W>& working(Section, ShelfState<Pair>&) { return shelves_.s; }
    FirstOrderState<W>& working(Section, FirstOrderState<Pair>&) { return firstOrders_.s; }
    BiquadState<W>& working(Section section, BiquadState<Pair>&) {
        return placeOf(section).group == frontBiquads ? front_.s : back_.s;
    }
    void cleanWorkingStates() {
        ChainStates<Pair> copy;
        forEachSection([this](Section section, auto& s) { takeSlot<L>(working(section, s), s, placeOf(section).slot); },
                       copy);
        cleanStates(copy);
        forEachSection([this](Section section, auto& s) { putSlot<L>(working(section, s), s, placeOf(section).slot); },
                       copy);
    }

    // pairs[2i, 2i + 1] = input frame first + i plus, while the Analog stage runs, its noise,
    // for i < count; zeros past the call's frames.
    void gatherFrames(double* pairs, int32_t first, int32_t count, uint32_t& seed) {
        const int32_t present = std::max(0, std::min(count, frames_ - first));
        if (analog_ && present > 0) L::template drawNoise<kBlock>(seed, noise_, present);
        const W noNoise = L::splat(-0.0);  // x + (−0) is x for every x
        int32_t i = 0;
        for (; i + 8 <= present; i += 8) {
            const W left = L::loadEight(inputs_[0] + first + i);
            const W right = L::loadEight(inputs_[1] + first + i);
            const W noiseFirst = analog_ ? L::loadAlignedLanes(noise_ + 2 * i) : noNoise;
            const W noiseLast = analog_ ? L::loadAlignedLanes(noise_ + 2 * i + 8) : noNoise;
            L::storeLanes(pairs + 2 * i, L::template interleave<0>(left, right) + noiseFirst);
            L::storeLanes(pairs + 2 * i + 8, L::template interleave<4>(left, right) + noiseLast);
        }
        for (; i < present; ++i) {
            Pair x = loadFrame(inputs_, first + i);
            if (analog_) x = x + Pair(_mm_load_pd(noise_ + 2 * i));
            _mm_storeu_pd(pairs + 2 * i, x.v);
        }
        for (; i < count; ++i) _mm_storeu_pd(pairs + 2 * i, _mm_setzero_pd());
    }

    // A group's lanes: those that run give their section's output, the others pass x on. A
    // group whose running sections all pass as the identity computes nothing: its lanes pass x
    // on and keep it as their history when `record` asks for it (the identity's history; lanes
    // that do not run are never written back).
    template <unsigned kComputing, bool kRecord, Group kGroup, template <class> class Coefficients,
              template <class> class State, class Step>
    __attribute__((always_inline)) static W runLanes(Working& w, GroupLanes<L, Coefficients, State>& lanes, W in,
                                                     Step step) {
        const W x = slotsIn(kGroup, kOffsetInFront) != 0 ? in + w.offsetInFront[kGroup] : in;
        if constexpr (!computes(kComputing, kGroup)) {
            if (kRecord) passThrough(lanes.s, x);
            return x;
        }
        const W y = step(lanes.c, lanes.s, x);
        return w.allRunning ? y : L::blend(lanes.running, in, y);
    }

    // The inputs of the slots of kGroup: the outputs of the sections before them.
    template <Group kGroup, bool kFirstOrders>
    __attribute__((always_inline)) static W inputsOf(const W* g) {
        constexpr InputGroups kFrom = inputGroups<kFirstOrders>(kGroup);
        static_assert(kFrom.count <= 2, "the inputs of a group are in at most two groups");
        constexpr std::array<int, kGroupSlots> i = inputIndices<kFirstOrders>(kGroup, kFrom.first);
        return L::template pick<i[0], i[1], i[2], i[3]>(g[kFrom.first], g[kFrom.second]);
    }

    template <unsigned kComputing, bool kRecord>
    __attribute__((always_inline)) void iteration(Working& w, Outputs& o, int32_t inBlock) {
        constexpr bool kFirstOrders = computes(kComputing, firstOrders);
        // o holds the outputs of iteration n − kSkew: every section takes its predecessor's.
        W* g = o.group;
        const W shelfIn = inputsOf<shelves, kFirstOrders>(g);
        const W frontIn = inputsOf<frontBiquads, kFirstOrders>(g);
        const W firstOrderIn = kFirstOrders ? inputsOf<firstOrders, kFirstOrders>(g) : W{};
        const W backIn = inputsOf<backBiquads, kFirstOrders>(g);

        const auto shelf = [](const Shelf<W>& c, ShelfState<W>& s, W x) {
            constexpr Mask low = lanesIn(shelves, lowShelfSections());
            W w;
            const W ap = shelfAllpass(c, s, x, w);
            s.s = w;
            // Both mixes side by side and an integer blend: a masked add would wait for the
            // other mix.
            return L::blendBits(low, x - ap, ap + x) * c.k + x;
        };
        const auto biquad = [](const Biquad<W>& c, BiquadState<W>& s, W x) { return biquadStep(c, s, x); };
        const auto firstOrder = [](const FirstOrder<W>& c, FirstOrderState<W>& s, W x) {
            return firstOrderStep(c, s, x);
        };
        g[shelves] = runLanes<kComputing, kRecord, shelves>(w, w.shelves, shelfIn, shelf);
        g[frontBiquads] = runLanes<kComputing, kRecord, frontBiquads>(w, w.front, frontIn, biquad) + w.offsetMoved;
        if (kFirstOrders) {
            g[firstOrders] = runLanes<kComputing, kRecord, firstOrders>(w, w.firstOrders, firstOrderIn, firstOrder);
        }
        g[backBiquads] = runLanes<kComputing, kRecord, backBiquads>(w, w.back, backIn, biquad);

        constexpr Place kLast = placeOf(Stages<kFirstOrders>::at(Stages<kFirstOrders>::kCount - 1));
        L::template storeSlot<kLast.slot>(doneFrames_ + 2 * inBlock, g[kLast.group]);
        g[shelves] = L::template withSlotFrom<kInputSlot>(g[shelves], firstFrames_ + 2 * inBlock);
    }

    ChainStates<Pair>& states_;
    const Sample* const* inputs_;
    BlockWriter<L, Sample> writer_;
    const int32_t frames_;
    const bool analog_;
    const uint32_t running_;    // the sections that run (one bit per Section), and those of them
    const uint32_t computing_;  // that are not the identity
    // The offset in the lanes that get it and −0 in the others: x + (−0) is x for every x.
    const W offsetInFront_[kGroups];
    const W offsetMoved_;
    bool allRunning_ = false;  // every section of the shelves and the biquads runs
    // Each stage's lanes as they were after its last frame of the call.
    struct Finals {
        // Braces: aggregate initialization, so that no constructor of a wide record is called.
        ShelfState<W> shelves{};
        BiquadState<W> front{};
        FirstOrderState<W> firstOrders{};
        BiquadState<W> back{};

        const ShelfState<W>& of(Section, const ShelfState<Pair>&) const { return shelves; }
        const FirstOrderState<W>& of(Section, const FirstOrderState<Pair>&) const { return firstOrders; }
        const BiquadState<W>& of(Section section, const BiquadState<Pair>&) const {
            return placeOf(section).group == frontBiquads ? front : back;
        }
    } finals_;
    ShelfLanes shelves_;
    BiquadLanes front_;
    FirstOrderLanes firstOrders_;
    BiquadLanes back_;
    alignas(64) double noise_[2 * kBlock];        // the block's Analog noise, in whole steps
    alignas(64) double firstFrames_[2 * kBlock];  // the block's input frames as pairs
    alignas(64) double doneFrames_[2 * kBlock];   // the block's output frames as pairs
};

// Runs `frames` frames (at most 2^20) through the chain like ChainKernel::process and leaves
// the states cleaned up; returns the largest frame level when settings.measurePeak asks for it.
template <class L, class Sample>
double runWideChain(const ChainCoefficients<Pair>& coefficients, ChainStates<Pair>& states, const Sample* const* inputs,
                    Sample* const* outputs, int32_t frames, const CallSettings& settings, double offset,
                    uint32_t& noiseSeed) {
    WideRun<L, Sample> run(coefficients, states, inputs, outputs, frames, settings, offset);
    uint32_t seed = noiseSeed;
    const double peak = run.run(seed);
    noiseSeed = seed;
    return peak;
}

}  // namespace
}  // namespace dsp
