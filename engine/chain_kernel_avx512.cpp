#include "chain_kernel_avx512.h"

#include "kernel_choice.h"

#if QX71_WIDE_KERNELS
// GCC 12 reports its own placeholder for undefined vector halves inside these headers as
// uninitialized.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop

#include <algorithm>

#include "analog_noise.h"
#include "frame_io.h"
#include "state_hygiene.h"

// Everything from here on is compiled for AVX-512F (never with FMA: every result keeps the
// separate rounding of each multiply and add). The code lives in an anonymous namespace so
// that none of it stands in for the default-target code of other files.
#pragma GCC push_options
#pragma GCC target("avx512f,no-fma")

namespace dsp {

namespace {
// Eight doubles: lanes 2i and 2i + 1 are the left and right channel of slot i's section.
// GCC's built-in vector arithmetic works lane by lane, so the section steps of
// filter_sections.h run on it unchanged, and once inlined here they become AVX-512 code.
typedef double W __attribute__((vector_size(64)));
using Mask = __mmask8;
constexpr int kSlots = 4;
constexpr Mask slotMask(int slot) { return static_cast<Mask>(3u << (2 * slot)); }

W withSlot(W w, int slot, Pair p) {
    const __m512 lanes = _mm512_mask_broadcast_f32x4(_mm512_castpd_ps(w), static_cast<__mmask16>(0xFu << (4 * slot)),
                                                     _mm_castpd_ps(p.v));
    return _mm512_castps_pd(lanes);
}
Pair pairIn(W w, int slot) {
    const __m512i index = _mm512_set1_epi64(2 * slot) + _mm512_set_epi64(1, 0, 1, 0, 1, 0, 1, 0);
    return Pair(_mm512_castpd512_pd128(_mm512_permutex2var_pd(w, index, w)));
}

// Result lane pairs picked from two registers: slots 0–3 of `first`, then 4–7 of `second`.
template <int A, int B, int C, int D>
W pick(W first, W second) {
    const __m512i index = _mm512_set_epi64(2 * D + 1, 2 * D, 2 * C + 1, 2 * C, 2 * B + 1, 2 * B, 2 * A + 1, 2 * A);
    return _mm512_permutex2var_pd(first, index, second);
}

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
        target[i] = _mm512_mask_mov_pd(target[i], lanes, source[i]);
    }
}

}  // namespace

// Their own includes (analog_noise.h, frame_io.h) are already in, above the target region, so that
// no inline function of theirs is compiled for AVX-512 here.
#include "avx512_block_writer.h"
#include "avx512_noise.h"

namespace {
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

// Four sections of one kind side by side, and which of them run at all: the others pass
// their input on unchanged.
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

template <size_t N>
W offsetLanes(Group group, const Section (&sections)[N], double offset) {
    return _mm512_mask_blend_pd(lanesOf(group, sections), _mm512_set1_pd(-0.0), _mm512_set1_pd(offset));
}

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
          offsetInFront_{
              offsetLanes(shelves, kOffsetInFront, offset), offsetLanes(frontBiquads, kOffsetInFront, offset),
              offsetLanes(firstOrders, kOffsetInFront, offset), offsetLanes(backBiquads, kOffsetInFront, offset)},
          offsetToHighShelf_(offsetLanes(frontBiquads, kOffsetToHighShelf, settings.highBand ? offset : -0.0)) {
        const bool runs[kSectionCount] = {
            settings.analog,
            settings.lowBand,
            settings.lowBand,
            settings.lowBand,
            settings.midBand,
            settings.highBand,
            settings.highBand,
            settings.highPass && (settings.highPassSlope == 0 || settings.highPassSlope == 2),
            settings.highPass && settings.highPassSlope != 0,
            settings.highPass && settings.highPassSlope > 2,
            settings.lowPass && (settings.lowPassSlope == 0 || settings.lowPassSlope == 2),
            settings.lowPass && settings.lowPassSlope != 0,
            settings.lowPass && settings.lowPassSlope > 2};
        std::copy(runs, runs + kSectionCount, runs_);
        forEachSection([this](Section section, const auto& coefficients,
                              const auto& state) { load(section, coefficients, state); },
                       c, s);
        shelves_.running |= slotMask(kInputSlot);
        allRunning_ = shelves_.running == 0xFF && front_.running == 0xFF && back_.running == 0xFF;
    }

    // Returns the largest frame level; `seed` advances by the noise draws.
    double run(uint32_t& seed) {
        if (firstOrders_.running != 0) {
            runFrames<true>(seed);
        } else {
            runFrames<false>(seed);
        }
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

    // The frame loop works on local copies of the lanes and of everything else it reads,
    // which the compiler keeps in registers: output stores cannot alias them.
    template <bool kFirstOrders>
    void runFrames(uint32_t& seed) {
        Working w{shelves_, front_, firstOrders_, back_, {}, {}, offsetToHighShelf_, allRunning_};
        std::copy(offsetInFront_, offsetInFront_ + kGroups, w.offsetInFront);
        gatherFrames(firstFrames_, 0, kSkew, seed);
        for (int j = 0; j < kSkew; ++j) w.o[j].group[shelves] = withFrame(w.o[j].group[shelves], firstFrames_ + 2 * j);
        constexpr int latency = kLatency<kFirstOrders>;
        const int32_t iterations = frames_ + latency;
        const int32_t lastFrame = frames_ - 1;
        for (int32_t start = 0, block = 1; start < iterations; start += kBlock, ++block) {
            // Iteration n takes frame n + kSkew and makes frame n − latency.
            const int32_t length = std::min(kBlock, (iterations - start + kSkew - 1) / kSkew * kSkew);
            gatherFrames(firstFrames_, start + kSkew, length, seed);
            for (int32_t i = 0; i < length; i += kSkew) {
                const int32_t n = start + i;
                if (n <= latency && n > 0) startStage(Stages<kFirstOrders>::at(n / kSkew), w);
#pragma GCC unroll 4
                for (int j = 0; j < kSkew; ++j) {
                    iteration<kFirstOrders>(w, w.o[j], i + j);
                    if (n + j >= lastFrame) finishStage<kFirstOrders>(n + j - lastFrame, w);
                }
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
                if (runs_[static_cast<int>(section)]) takeSlot(finals_.of(section, s), s, placeOf(section).slot);
            },
            states_);
    }

    template <template <class> class Coefficients, template <class> class State>
    void place(Lanes<Coefficients, State>& lanes, Section section, const Coefficients<Pair>& c, const State<Pair>& s) {
        putSlot(lanes.c, c, placeOf(section).slot);
        putSlot(lanes.s, s, placeOf(section).slot);
        if (runs_[static_cast<int>(section)]) lanes.running |= slotMask(placeOf(section).slot);
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
        const W noNoise = _mm512_set1_pd(-0.0);  // x + (−0) is x for every x
        int32_t i = 0;
        for (; i + 8 <= present; i += 8) {
            const W left = loadEight(inputs_[0] + first + i);
            const W right = loadEight(inputs_[1] + first + i);
            const W noiseFirst = analog_ ? _mm512_load_pd(noise_ + 2 * i) : noNoise;
            const W noiseLast = analog_ ? _mm512_load_pd(noise_ + 2 * i + 8) : noNoise;
            _mm512_storeu_pd(pairs + 2 * i, interleave<0>(left, right) + noiseFirst);
            _mm512_storeu_pd(pairs + 2 * i + 8, interleave<4>(left, right) + noiseLast);
        }
        for (; i < present; ++i) {
            Pair x = loadFrame(inputs_, first + i);
            if (analog_) x = x + Pair(_mm_load_pd(noise_ + 2 * i));
            _mm_storeu_pd(pairs + 2 * i, x.v);
        }
        for (; i < count; ++i) _mm_storeu_pd(pairs + 2 * i, _mm_setzero_pd());
    }

    // The shelves' output with the next input frame in its input slot.
    static W withFrame(W shelvesOut, const double* pair) {
        constexpr __mmask16 kInputLanes = 0xFu << (4 * kInputSlot);
        return _mm512_castps_pd(
            _mm512_mask_broadcast_f32x4(_mm512_castpd_ps(shelvesOut), kInputLanes, _mm_castpd_ps(_mm_loadu_pd(pair))));
    }

    template <Group kGroup, template <class> class Coefficients, template <class> class State, class Step>
    __attribute__((always_inline)) static W runLanes(Working& w, Lanes<Coefficients, State>& lanes, W in, Step step) {
        const W x = lanesOf(kGroup, kOffsetInFront) ? in + w.offsetInFront[kGroup] : in;
        const W y = step(lanes.c, lanes.s, x);
        return w.allRunning ? y : _mm512_mask_blend_pd(lanes.running, in, y);
    }

    template <bool kFirstOrders>
    __attribute__((always_inline)) void iteration(Working& w, Outputs& o, int32_t inBlock) {
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
            const __m512i high = _mm512_castpd_si512(x - ap);
            const __m512i lowMix = _mm512_castpd_si512(ap + x);
            const W mixed = _mm512_castsi512_pd(_mm512_mask_blend_epi64(low, high, lowMix));
            return mixed * c.k + x;
        };
        const auto biquad = [](const Biquad<W>& c, BiquadState<W>& s, W x) { return biquadStep(c, s, x); };
        const auto firstOrder = [](const FirstOrder<W>& c, FirstOrderState<W>& s, W x) {
            return firstOrderStep(c, s, x);
        };
        g[shelves] = runLanes<shelves>(w, w.shelves, shelfIn, shelf);
        g[frontBiquads] = runLanes<frontBiquads>(w, w.front, frontIn, biquad) + w.offsetToHighShelf;
        if (kFirstOrders) g[firstOrders] = runLanes<firstOrders>(w, w.firstOrders, firstOrderIn, firstOrder);
        g[backBiquads] = runLanes<backBiquads>(w, w.back, backIn, biquad);

        _mm_storeu_ps(reinterpret_cast<float*>(doneFrames_ + 2 * inBlock),
                      _mm512_extractf32x4_ps(_mm512_castpd_ps(g[backBiquads]), kSlots - 1));
        g[shelves] = withFrame(g[shelves], firstFrames_ + 2 * inBlock);
    }

    ChainStates<Pair>& states_;
    const Sample* const* inputs_;
    BlockWriter<Sample> writer_;
    const int32_t frames_;
    const bool analog_;
    // The offset in the lanes that get it and −0 in the others: x + (−0) is x for every x.
    const W offsetInFront_[kGroups];
    const W offsetToHighShelf_;
    bool runs_[kSectionCount] = {};
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
}  // namespace

template <class Sample>
double runChainAvx512(const ChainCoefficients<Pair>& coefficients, ChainStates<Pair>& states,
                      const Sample* const* inputs, Sample* const* outputs, int32_t frames, const CallSettings& settings,
                      double offset, uint32_t& noiseSeed) {
    WideRun<Sample> run(coefficients, states, inputs, outputs, frames, settings, offset);
    uint32_t seed = noiseSeed;
    const double peak = run.run(seed);
    noiseSeed = seed;
    return peak;
}

template double runChainAvx512<float>(const ChainCoefficients<Pair>&, ChainStates<Pair>&, const float* const*,
                                      float* const*, int32_t, const CallSettings&, double, uint32_t&);
template double runChainAvx512<double>(const ChainCoefficients<Pair>&, ChainStates<Pair>&, const double* const*,
                                       double* const*, int32_t, const CallSettings&, double, uint32_t&);

}  // namespace dsp

#pragma GCC pop_options
#endif
