// The frame loop of the wide chain kernel, written on the lane operations of the instruction
// set that includes it (avx512_lanes.h): the types W (four sections,
// left and right channel each) and Mask, splat, blend, blendBits, withLanes, withSlot,
// withSlotFrom, pairIn, storeSlot, pick, the loads and stores, interleave, channelOf,
// absLanes, maxLanes, largestLane, and drawNoise (the Analog noise in blocks).
// Include only from a wide kernel's file, inside its target region and an anonymous
// namespace in dsp, after those operations.
#pragma once

#include <algorithm>
#include <array>
#include <utility>

// Its own includes are already in, above the target region, so that no inline function of
// theirs is compiled for a wide instruction set here.
#include "analog_noise.h"
#include "frame_io.h"
#include "state_hygiene.h"

// Copies one section's record (a plain run of values) into or out of a slot.
template <template <class> class Record>
void putSlot(Record<W>& wide, const Record<Pair>& pair, int slot) {
    static_assert(sizeof(Record<W>) / sizeof(W) == sizeof(Record<Pair>) / sizeof(Pair), "same members");
    W* to = reinterpret_cast<W*>(&wide);
    const Pair* from = reinterpret_cast<const Pair*>(&pair);
    for (size_t i = 0; i < sizeof(Record<Pair>) / sizeof(Pair); ++i) to[i] = withSlot(to[i], slot, from[i]);
}
template <template <class> class Record>
void takeSlot(const Record<W>& wide, Record<Pair>& pair, int slot) {
    const W* from = reinterpret_cast<const W*>(&wide);
    Pair* to = reinterpret_cast<Pair*>(&pair);
    for (size_t i = 0; i < sizeof(Record<Pair>) / sizeof(Pair); ++i) to[i] = pairIn(from[i], slot);
}

// Copies the lanes `lanes` of a state record.
template <template <class> class State>
__attribute__((always_inline)) inline void merge(State<W>& to, const State<W>& from, Mask lanes) {
    W* target = reinterpret_cast<W*>(&to);
    const W* source = reinterpret_cast<const W*>(&from);
    for (size_t i = 0; i < sizeof(State<W>) / sizeof(W); ++i) {
        target[i] = withLanes(target[i], lanes, source[i]);
    }
}

// FrameWriter for eight frames at a time: the same operations lane by lane.
template <class Sample>
class BlockWriter {
public:
    BlockWriter(Sample* const* outputs, const CallSettings& settings)
        : frames_(outputs, settings),
          outputs_(outputs),
          gain_(splat(settings.outputGain)),
          polarity_(splat(settings.polarity)),
          mono_(settings.mono),
          measurePeak_(settings.measurePeak) {}

    // Writes frames [first, end) from pairs (pairs[0] is frame first).
    void write(const double* pairs, int32_t first, int32_t end) {
        int32_t frame = first;
        for (; frame + 8 <= end; frame += 8, pairs += 16) {
            const W scaledFirst = loadLanes(pairs) * gain_;
            const W scaledLast = loadLanes(pairs + 8) * gain_;
            const W left = channelOf<0>(scaledFirst * polarity_, scaledLast * polarity_);
            const W right = mono_ ? left : channelOf<1>(scaledFirst * polarity_, scaledLast * polarity_);
            storeEight(outputs_[0] + frame, left);
            storeEight(outputs_[1] + frame, right);
            if (measurePeak_) peak_ = maxLanes(level(scaledFirst, scaledLast), peak_);
        }
        for (; frame < end; ++frame, pairs += 2) frames_.write(frame, Pair(_mm_loadu_pd(pairs)));
    }
    double peak() const { return std::max(frames_.peak(), largestLane(peak_)); }

private:
    // The frame levels; a NaN level, as in FrameWriter, never raises the peak (maxLanes then
    // returns its second operand).
    W level(W scaledFirst, W scaledLast) const {
        const W left = absLanes(channelOf<0>(scaledFirst, scaledLast));
        if (mono_) return left;
        const W right = absLanes(channelOf<1>(scaledFirst, scaledLast));
        return (left + right) * splat(0.5);
    }

    FrameWriter<Sample> frames_;
    Sample* const* outputs_;
    const W gain_;
    const W polarity_;
    const bool mono_;
    const bool measurePeak_;
    W peak_ = splat(0.0);
};

// Register groups, each with four sections of one kind, and every section's place in them:
//
//   group          slot 0        slot 1        slot 2        slot 3
//   shelves        analogShelf   lfShelf       hfShelf       (the next input frame)
//   frontBiquads   lfDip         lfMain        mfPeak        hfPeak
//   firstOrders    hpFirst       lpFirst       -             -
//   backBiquads    hpStage1      hpStage2      lpStage1      lpStage2
//
// Each section takes the output of the one before it in processing order (chain_layout.h).
// pick<A, B, C, D>(first, second) gathers the inputs of one group's slots 0-3: index s is slot s
// of `first`, 4 + s slot s of `second`. So in iteration():
//   shelves        pick<3, 0, 6, 3>(shelves, front)   input, analogShelf, mfPeak, (input)
//   frontBiquads   pick<1, 4, 5, 2>(shelves, front)   lfShelf, lfDip, lfMain, hfShelf
//   firstOrders    pick<3, 5, 3, 3>(front, back)      hfPeak, hpStage2, (unused)
//   backBiquads    pick<0, 4, 1, 6>(firstOrders, back)  hpFirst, hpStage1, lpFirst, lpStage1
//     without the first orders: pick<3, 4, 5, 6>(front, back)  hfPeak, hpStage1, hpStage2, lpStage1
enum Group { shelves, frontBiquads, firstOrders, backBiquads, kGroups };
struct Place {
    Group group;
    int slot;
};
constexpr Place kPlaces[kSectionCount] = {{shelves, 0},      {shelves, 1},     {frontBiquads, 0}, {frontBiquads, 1},
                                          {frontBiquads, 2}, {shelves, 2},     {frontBiquads, 3}, {firstOrders, 0},
                                          {backBiquads, 0},  {backBiquads, 1}, {firstOrders, 1},  {backBiquads, 2},
                                          {backBiquads, 3}};
constexpr Place placeOf(Section section) { return kPlaces[static_cast<int>(section)]; }
// The shelves' fourth slot carries the next input frame to the first section.
constexpr int kInputSlot = 3;

template <size_t N>
constexpr Mask lanesOf(Group group, const Section (&sections)[N]) {
    Mask lanes = 0;
    for (Section section : sections) {
        if (placeOf(section).group == group) lanes |= slotMask(placeOf(section).slot);
    }
    return lanes;
}
// Sections that get the call's offset added to their input. The high band's two offsets are
// moved off the shelves' critical path: the one in front of its shelf is added to the mid
// bell's output (which feeds only that shelf) while the high band runs, and the one behind
// its shelf in front of its bell (the shelf feeds only the bell, and both run or pass together).
constexpr Section kOffsetInFront[] = {Section::mfPeak, Section::hfPeak, Section::lpFirst, Section::lpStage1,
                                      Section::lpStage2};
constexpr Section kOffsetToHighShelf[] = {Section::mfPeak};
constexpr Section kLowShelves[] = {Section::lfShelf};  // the other shelves are high shelves

// The sections in the pipeline, in processing order. The first-order sections of the pass
// filters only join when one of them runs.
template <bool kFirstOrders>
struct Stages {
    static constexpr int kCount = kFirstOrders ? kSectionCount : kSectionCount - 2;
    static constexpr Section at(int stage) {
        constexpr Section kBack[] = {Section::hpStage1, Section::hpStage2, Section::lpStage1, Section::lpStage2};
        return kFirstOrders || stage <= static_cast<int>(Section::hfPeak) ? static_cast<Section>(stage)
                                                                          : kBack[stage - 7];
    }
};

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

// Four sections of one kind side by side, and which of them run at all: the others pass their
// input on unchanged.
template <template <class> class Coefficients, template <class> class State>
struct Lanes {
    Coefficients<W> c{};
    State<W> s{};
    Mask running = 0;
};

struct Outputs {
    W group[kGroups];
};

using ShelfLanes = Lanes<Shelf, ShelfState>;
using BiquadLanes = Lanes<Biquad, BiquadState>;
using FirstOrderLanes = Lanes<FirstOrder, FirstOrderState>;

// The lanes of `group` whose sections are in `sections` (one bit per Section).
constexpr Mask lanesIn(Group group, uint32_t sections) {
    Mask lanes = 0;
    for (int i = 0; i < kSectionCount; ++i) {
        const Section section = static_cast<Section>(i);
        if (placeOf(section).group == group && (sections & sectionBit(section)) != 0) {
            lanes |= slotMask(placeOf(section).slot);
        }
    }
    return lanes;
}

// The offset in the lanes of `group` that get one in front and whose sections run; −0 elsewhere.
template <size_t N>
W offsetLanes(Group group, const Section (&sections)[N], uint32_t running, double offset) {
    return blend(lanesOf(group, sections) & lanesIn(group, running), splat(-0.0), splat(offset));
}

// The groups whose lanes compute (a set of bits 1 << Group): a frame loop is compiled for each
// set, so that a group with nothing to compute costs only the passing of its lanes.
constexpr bool computes(unsigned groups, Group group) { return (groups & (1u << group)) != 0; }
constexpr unsigned kGroupSets = 1u << kGroups;

template <class Sample>
class WideRun {
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
          offsetInFront_{offsetLanes(shelves, kOffsetInFront, running_, offset),
                         offsetLanes(frontBiquads, kOffsetInFront, running_, offset),
                         offsetLanes(firstOrders, kOffsetInFront, running_, offset),
                         offsetLanes(backBiquads, kOffsetInFront, running_, offset)},
          // Added to the mid band's lane whether the mid band runs or not.
          offsetToHighShelf_(offsetLanes(frontBiquads, kOffsetToHighShelf, ~0u, settings.highBand ? offset : -0.0)) {
        forEachSection([this](Section section, const auto& coefficients,
                              const auto& state) { load(section, coefficients, state); },
                       c, s);
        shelves_.running |= slotMask(kInputSlot);
        allRunning_ = shelves_.running == 0xFF && front_.running == 0xFF && back_.running == 0xFF;
    }

    // Returns the largest frame level; `seed` advances by the noise draws.
    double run(uint32_t& seed) {
        // The first-order group joins the pipeline whenever one of its sections runs.
        const unsigned groups = (lanesIn(shelves, computing_) != 0 ? 1u << shelves : 0u) |
                                (lanesIn(frontBiquads, computing_) != 0 ? 1u << frontBiquads : 0u) |
                                (firstOrders_.running != 0 ? 1u << firstOrders : 0u) |
                                (lanesIn(backBiquads, computing_) != 0 ? 1u << backBiquads : 0u);
        runFramesOf(groups, seed, std::make_integer_sequence<unsigned, kGroupSets>());
        keepFinals();
        cleanStates(states_);
        return writer_.peak();
    }

private:
    struct Working {
        ShelfLanes shelves;
        BiquadLanes front;
        FirstOrderLanes firstOrders;
        BiquadLanes back;
        Outputs o[kSkew];
        W offsetInFront[kGroups];
        W offsetToHighShelf;
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
        Working w{shelves_, front_, firstOrders_, back_, {}, {}, offsetToHighShelf_, allRunning_};
        std::copy(offsetInFront_, offsetInFront_ + kGroups, w.offsetInFront);
        gatherFrames(firstFrames_, 0, kSkew, seed);
        for (int j = 0; j < kSkew; ++j) {
            w.o[j].group[shelves] = withSlotFrom<kInputSlot>(w.o[j].group[shelves], firstFrames_ + 2 * j);
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
        const Mask lanes = slotMask(placeOf(section).slot);
        switch (placeOf(section).group) {
            case shelves: merge(w.shelves.s, shelves_.s, lanes); break;
            case frontBiquads: merge(w.front.s, front_.s, lanes); break;
            case firstOrders: merge(w.firstOrders.s, firstOrders_.s, lanes); break;
            default: merge(w.back.s, back_.s, lanes); break;
        }
    }

    // After iteration lastFrame + kSkew·k (after = 0, kSkew, ...), stage k has made its
    // last frame of the call: a running section's states are final and go back to the chain.
    template <bool kFirstOrders>
    __attribute__((always_inline)) void finishStage(int32_t after, const Working& w) {
        if (after % kSkew != 0 || after / kSkew >= Stages<kFirstOrders>::kCount) return;
        const Section section = Stages<kFirstOrders>::at(after / kSkew);
        const Mask lanes = slotMask(placeOf(section).slot);
        switch (placeOf(section).group) {
            case shelves: merge(finals_.shelves, w.shelves.s, lanes); break;
            case frontBiquads: merge(finals_.front, w.front.s, lanes); break;
            case firstOrders: merge(finals_.firstOrders, w.firstOrders.s, lanes); break;
            default: merge(finals_.back, w.back.s, lanes); break;
        }
    }
    // The final states of the running sections go back to the chain.
    void keepFinals() {
        forEachSection(
            [this](Section section, auto& s) {
                if ((running_ & sectionBit(section)) != 0) takeSlot(finals_.of(section, s), s, placeOf(section).slot);
            },
            states_);
    }

    template <template <class> class Coefficients, template <class> class State>
    void place(Lanes<Coefficients, State>& lanes, Section section, const Coefficients<Pair>& c, const State<Pair>& s) {
        putSlot(lanes.c, c, placeOf(section).slot);
        putSlot(lanes.s, s, placeOf(section).slot);
        if ((running_ & sectionBit(section)) != 0) lanes.running |= slotMask(placeOf(section).slot);
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
        forEachSection([this](Section section, auto& s) { takeSlot(working(section, s), s, placeOf(section).slot); },
                       copy);
        cleanStates(copy);
        forEachSection([this](Section section, auto& s) { putSlot(working(section, s), s, placeOf(section).slot); },
                       copy);
    }

    // pairs[2i, 2i + 1] = input frame first + i plus, while the Analog stage runs, its noise,
    // for i < count; zeros past the call's frames.
    void gatherFrames(double* pairs, int32_t first, int32_t count, uint32_t& seed) {
        const int32_t present = std::max(0, std::min(count, frames_ - first));
        if (analog_ && present > 0) drawNoise<kBlock>(seed, noise_, present);
        const W noNoise = splat(-0.0);  // x + (−0) is x for every x
        int32_t i = 0;
        for (; i + 8 <= present; i += 8) {
            const W left = loadEight(inputs_[0] + first + i);
            const W right = loadEight(inputs_[1] + first + i);
            const W noiseFirst = analog_ ? loadAlignedLanes(noise_ + 2 * i) : noNoise;
            const W noiseLast = analog_ ? loadAlignedLanes(noise_ + 2 * i + 8) : noNoise;
            storeLanes(pairs + 2 * i, interleave<0>(left, right) + noiseFirst);
            storeLanes(pairs + 2 * i + 8, interleave<4>(left, right) + noiseLast);
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
    __attribute__((always_inline)) static W runLanes(Working& w, Lanes<Coefficients, State>& lanes, W in, Step step) {
        const W x = lanesOf(kGroup, kOffsetInFront) ? in + w.offsetInFront[kGroup] : in;
        if constexpr (!computes(kComputing, kGroup)) {
            if (kRecord) passThrough(lanes.s, x);
            return x;
        }
        const W y = step(lanes.c, lanes.s, x);
        return w.allRunning ? y : blend(lanes.running, in, y);
    }

    template <unsigned kComputing, bool kRecord>
    __attribute__((always_inline)) void iteration(Working& w, Outputs& o, int32_t inBlock) {
        constexpr bool kFirstOrders = computes(kComputing, firstOrders);
        // o holds the outputs of iteration n − kSkew: every section takes its predecessor's.
        W* g = o.group;
        const W shelfIn = pick<kInputSlot, 0, 6, kInputSlot>(g[shelves], g[frontBiquads]);
        const W frontIn = pick<1, 4, 5, 2>(g[shelves], g[frontBiquads]);
        // hp first ← high bell, lp first ← hp stage 2; without them, the back biquads take
        // the high bell and hp stage 2 themselves.
        const W firstOrderIn = kFirstOrders ? pick<3, 5, 3, 3>(g[frontBiquads], g[backBiquads]) : W{};
        const W backIn = kFirstOrders ? pick<0, 4, 1, 6>(g[firstOrders], g[backBiquads])
                                      : pick<3, 4, 5, 6>(g[frontBiquads], g[backBiquads]);

        const auto shelf = [](const Shelf<W>& c, ShelfState<W>& s, W x) {
            constexpr Mask low = lanesOf(shelves, kLowShelves);
            W w;
            const W ap = shelfAllpass(c, s, x, w);
            s.s = w;
            // Both mixes side by side and an integer blend: a masked add would wait for the
            // other mix.
            return blendBits(low, x - ap, ap + x) * c.k + x;
        };
        const auto biquad = [](const Biquad<W>& c, BiquadState<W>& s, W x) { return biquadStep(c, s, x); };
        const auto firstOrder = [](const FirstOrder<W>& c, FirstOrderState<W>& s, W x) {
            return firstOrderStep(c, s, x);
        };
        g[shelves] = runLanes<kComputing, kRecord, shelves>(w, w.shelves, shelfIn, shelf);
        g[frontBiquads] =
            runLanes<kComputing, kRecord, frontBiquads>(w, w.front, frontIn, biquad) + w.offsetToHighShelf;
        if (kFirstOrders) {
            g[firstOrders] = runLanes<kComputing, kRecord, firstOrders>(w, w.firstOrders, firstOrderIn, firstOrder);
        }
        g[backBiquads] = runLanes<kComputing, kRecord, backBiquads>(w, w.back, backIn, biquad);

        storeSlot<kSlots - 1>(doneFrames_ + 2 * inBlock, g[backBiquads]);
        g[shelves] = withSlotFrom<kInputSlot>(g[shelves], firstFrames_ + 2 * inBlock);
    }

    ChainStates<Pair>& states_;
    const Sample* const* inputs_;
    BlockWriter<Sample> writer_;
    const int32_t frames_;
    const bool analog_;
    const uint32_t running_;    // the sections that run (one bit per Section), and those of them
    const uint32_t computing_;  // that are not the identity
    // The offset in the lanes that get it and −0 in the others: x + (−0) is x for every x.
    const W offsetInFront_[kGroups];
    const W offsetToHighShelf_;
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
template <class Sample>
double runWideChain(const ChainCoefficients<Pair>& coefficients, ChainStates<Pair>& states, const Sample* const* inputs,
                    Sample* const* outputs, int32_t frames, const CallSettings& settings, double offset,
                    uint32_t& noiseSeed) {
    WideRun<Sample> run(coefficients, states, inputs, outputs, frames, settings, offset);
    uint32_t seed = noiseSeed;
    const double peak = run.run(seed);
    noiseSeed = seed;
    return peak;
}
