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

// At the edges of a call some slots have no frame to work on; their states stay.
template <bool kEdge, template <class> class State>
void commit(State<W>& state, const State<W>& next, Mask live) {
    if (!kEdge) {
        state = next;
        return;
    }
    W* to = reinterpret_cast<W*>(&state);
    const W* from = reinterpret_cast<const W*>(&next);
    for (size_t i = 0; i < sizeof(State<W>) / sizeof(W); ++i) to[i] = _mm512_mask_mov_pd(to[i], live, from[i]);
}

// Register groups, each with four sections of one kind, and every section's place in them.
enum Group { shelves, frontBiquads, firstOrders, backBiquads, kGroups };
struct Place {
    Group group;
    int slot;
};
constexpr Place kPlaces[kSectionCount] = {
    {shelves, 0},     {shelves, 1},     {frontBiquads, 0}, {frontBiquads, 1}, {frontBiquads, 2},
    {shelves, 2},     {frontBiquads, 3}, {firstOrders, 0}, {backBiquads, 0},  {backBiquads, 1},
    {firstOrders, 1}, {backBiquads, 2}, {backBiquads, 3}};
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
// Sections that get the call's offset added to their input, and to their output.
constexpr Section kOffsetInFront[] = {Section::mfPeak, Section::hfShelf, Section::lpFirst, Section::lpStage1,
                                      Section::lpStage2};
constexpr Section kOffsetBehind[] = {Section::hfShelf};
constexpr Section kLowShelves[] = {Section::lfShelf};  // the other shelves are high shelves

// Stage k (k = Section value) works on frame n − kSkew·k in loop iteration n, so a section's
// input comes from the iteration kSkew before: the loop keeps kSkew sets of group outputs,
// and the long multiply-add chain from one section's input to its output overlaps with the
// next kSkew − 1 iterations instead of holding up the next one.
constexpr int kSkew = 3;
constexpr int kLatency = kSkew * (kSectionCount - 1);
// States are cleaned up at this interval and at the end of every call.
constexpr int kCleanInterval = 85 * kSkew;
// The Analog noise is drawn ahead for this many frames at a time, sixteen draws per step.
constexpr int kNoiseFrames = 128;
constexpr int kDrawsPerStep = 16;

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

// The generator state after n draws is a·s + b for these (a, b).
struct NoiseJump {
    uint32_t a = 1, b = 0;
};
constexpr NoiseJump noiseJump(int draws) {
    NoiseJump jump;
    for (int i = 0; i < draws; ++i) jump = {jump.a * kNoiseMultiplier, jump.b * kNoiseMultiplier + kNoiseIncrement};
    return jump;
}

// Fills out[0, 2·frames) with the noise of nextAnalogNoise, left and right draw per frame,
// and advances the seed by exactly 2·frames draws. out has room for whole steps.
void drawNoise(uint32_t& seed, double* out, int32_t frames) {
    constexpr NoiseJump step = noiseJump(kDrawsPerStep);
    alignas(64) uint32_t states[kDrawsPerStep];
    uint32_t s = seed;
    for (uint32_t& state : states) state = s = s * kNoiseMultiplier + kNoiseIncrement;
    __m512i generator = _mm512_load_si512(states);
    const int32_t draws = 2 * frames;
    for (int32_t i = 0; i < draws; i += kDrawsPerStep) {
        if (i > 0) {
            generator = _mm512_add_epi32(_mm512_mullo_epi32(generator, _mm512_set1_epi32(static_cast<int>(step.a))),
                                         _mm512_set1_epi32(static_cast<int>(step.b)));
        }
        const __m512i bits = _mm512_or_si512(_mm512_srli_epi32(generator, 9),
                                             _mm512_set1_epi32(static_cast<int>(kNoiseExponent)));
        const __m512 centred = _mm512_mul_ps(_mm512_sub_ps(_mm512_castsi512_ps(bits), _mm512_set1_ps(3.0f)),
                                             _mm512_set1_ps(0.5f));
        const __m256 low = _mm512_castps512_ps256(centred);
        const __m256 high = _mm256_castsi256_ps(_mm512_extracti64x4_epi64(_mm512_castps_si512(centred), 1));
        _mm512_store_pd(out + i, _mm512_mul_pd(_mm512_cvtps_pd(low), _mm512_set1_pd(kNoiseScale)));
        _mm512_store_pd(out + i + 8, _mm512_mul_pd(_mm512_cvtps_pd(high), _mm512_set1_pd(kNoiseScale)));
        if (i + kDrawsPerStep >= draws) {
            _mm512_store_si512(states, generator);
            seed = states[draws - 1 - i];
        }
    }
}

template <size_t N>
W offsetLanes(Group group, const Section (&sections)[N], double offset) {
    return _mm512_mask_blend_pd(lanesOf(group, sections), _mm512_set1_pd(-0.0), _mm512_set1_pd(offset));
}

template <class Sample>
class WideRun {
public:
    WideRun(const ChainCoefficients<Pair>& c, ChainStates<Pair>& s, const Sample* const* inputs,
            Sample* const* outputs, int32_t frames, const CallSettings& settings, double offset)
        : states_(s), inputs_(inputs), writer_(outputs, settings), frames_(frames), analog_(settings.analog),
          offsetInFront_{offsetLanes(shelves, kOffsetInFront, offset), offsetLanes(frontBiquads, kOffsetInFront, offset),
                         offsetLanes(firstOrders, kOffsetInFront, offset), offsetLanes(backBiquads, kOffsetInFront, offset)},
          offsetBehind_{offsetLanes(shelves, kOffsetBehind, offset), offsetLanes(frontBiquads, kOffsetBehind, offset),
                        offsetLanes(firstOrders, kOffsetBehind, offset), offsetLanes(backBiquads, kOffsetBehind, offset)} {
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
        // Per lane, the stage's frame delay; slots without a section never run.
        int64_t delays[kGroups][2 * kSlots];
        std::fill(&delays[0][0], &delays[0][0] + kGroups * 2 * kSlots, int64_t{1} << 40);
        for (int k = 0; k < kSectionCount; ++k) delays[kPlaces[k].group][2 * kPlaces[k].slot] = kSkew * k;
        for (int k = 0; k < kSectionCount; ++k) delays[kPlaces[k].group][2 * kPlaces[k].slot + 1] = kSkew * k;
        for (int g = 0; g < kGroups; ++g) delays_[g] = _mm512_loadu_si512(delays[g]);
    }

    // Returns the largest frame level; `seed` advances by the noise draws.
    double run(uint32_t& seed) {
        if (firstOrders_.running != 0) {
            runFrames<true>(seed);
        } else {
            runFrames<false>(seed);
        }
        forEachSection([this](Section section, auto& state) { keep(section, state); }, states_);
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

    // The frame loop works on local copies of the lanes, which the compiler keeps in
    // registers: output stores cannot alias them.
    template <bool kFirstOrders>
    void runFrames(uint32_t& seed) {
        Working w{shelves_, front_, firstOrders_, back_, {}};
        for (int j = 0; j < kSkew; ++j) {
            w.o[j].group[shelves] = withSlot(w.o[j].group[shelves], kInputSlot, frame(j, seed));
        }
        const int32_t iterations = frames_ + kLatency;
        for (int32_t n = 0; n < iterations;) {
            const int32_t chunkEnd = n + kCleanInterval;
            for (; n < chunkEnd && n < iterations; n += kSkew) {
                if (n >= kLatency && n + 2 * kSkew <= frames_) {
#pragma GCC unroll 4
                    for (int j = 0; j < kSkew; ++j) iteration<false, kFirstOrders>(n + j, w, w.o[j], seed);
                } else {
#pragma GCC unroll 4
                    for (int j = 0; j < kSkew; ++j) iteration<true, kFirstOrders>(n + j, w, w.o[j], seed);
                }
            }
            w.saveTo(*this);
            if (n < iterations) {
                cleanWorkingStates();
                w.loadFrom(*this);
            }
        }
    }

    template <template <class> class Coefficients, template <class> class State>
    void place(Lanes<Coefficients, State>& lanes, Section section, const Coefficients<Pair>& c,
               const State<Pair>& s) {
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
    template <class State>
    void keep(Section section, State& s) {
        if (runs_[static_cast<int>(section)]) takeSlot(working(section, s), s, placeOf(section).slot);
    }
    void cleanWorkingStates() {
        ChainStates<Pair> copy;
        forEachSection([this](Section section, auto& s) { takeSlot(working(section, s), s, placeOf(section).slot); },
                       copy);
        cleanStates(copy);
        forEachSection([this](Section section, auto& s) { putSlot(working(section, s), s, placeOf(section).slot); },
                       copy);
    }

    // The input of the first section for frame m: the input frame plus, while the Analog
    // stage runs, its noise.
    Pair frame(int32_t m, uint32_t& seed) {
        if (m >= frames_) return Pair();
        const Pair x = loadFrame(inputs_, m);
        if (!analog_) return x;
        if (m >= noiseEnd_) {
            const int32_t count = std::min(kNoiseFrames, frames_ - m);
            drawNoise(seed, noise_, count);
            noiseStart_ = m;
            noiseEnd_ = m + count;
        }
        return x + Pair(_mm_load_pd(noise_ + 2 * (m - noiseStart_)));
    }

    // Slots whose section has a frame to work on in iteration n.
    Mask liveSlots(Group group, int32_t n) const {
        const __m512i frame = _mm512_sub_epi64(_mm512_set1_epi64(n), delays_[group]);
        const Mask started = _mm512_cmpge_epi64_mask(frame, _mm512_setzero_si512());
        return _mm512_mask_cmplt_epi64_mask(started, frame, _mm512_set1_epi64(frames_));
    }

    template <bool kEdge, Group kGroup, template <class> class Coefficients, template <class> class State,
              class Step>
    __attribute__((always_inline)) W runLanes(Lanes<Coefficients, State>& lanes, W in, int32_t n, Step step) {
        const W x = lanesOf(kGroup, kOffsetInFront) ? in + offsetInFront_[kGroup] : in;
        State<W> next = lanes.s;
        W y = step(lanes.c, next, x);
        commit<kEdge>(lanes.s, next, kEdge ? liveSlots(kGroup, n) : Mask(0xFF));
        if (lanesOf(kGroup, kOffsetBehind)) y = y + offsetBehind_[kGroup];
        if (lanes.running != 0xFF) y = _mm512_mask_blend_pd(lanes.running, in, y);
        return y;
    }

    template <bool kEdge, bool kFirstOrders>
    __attribute__((always_inline)) void iteration(int32_t n, Working& w, Outputs& o, uint32_t& seed) {
        // o holds the outputs of iteration n − kSkew: every section takes its predecessor's.
        W* g = o.group;
        const W shelfIn = pick<kInputSlot, 0, 6, kInputSlot>(g[shelves], g[frontBiquads]);
        const W frontIn = pick<1, 4, 5, 2>(g[shelves], g[frontBiquads]);
        const W firstOrderIn = pick<3, 5, 3, 3>(g[frontBiquads], g[backBiquads]);
        const W backIn = pick<0, 4, 1, 6>(g[firstOrders], g[backBiquads]);

        const auto shelf = [](const Shelf<W>& c, ShelfState<W>& s, W x) {
            constexpr Mask low = lanesOf(shelves, kLowShelves);
            W w;
            const W ap = shelfAllpass(c, s, x, w);
            s.s = w;
            const W mixed = _mm512_mask_blend_pd(low, x - ap, ap + x);
            return mixed * c.k + x;
        };
        const auto biquad = [](const Biquad<W>& c, BiquadState<W>& s, W x) { return biquadStep(c, s, x); };
        const auto firstOrder = [](const FirstOrder<W>& c, FirstOrderState<W>& s, W x) {
            return firstOrderStep(c, s, x);
        };
        g[shelves] = runLanes<kEdge, shelves>(w.shelves, shelfIn, n, shelf);
        g[frontBiquads] = runLanes<kEdge, frontBiquads>(w.front, frontIn, n, biquad);
        g[firstOrders] = kFirstOrders ? runLanes<kEdge, firstOrders>(w.firstOrders, firstOrderIn, n, firstOrder)
                                      : firstOrderIn;
        g[backBiquads] = runLanes<kEdge, backBiquads>(w.back, backIn, n, biquad);

        const int32_t done = n - kLatency;
        if (!kEdge || (done >= 0 && done < frames_)) writer_.write(done, pairIn(g[backBiquads], kSlots - 1));
        g[shelves] = withSlot(g[shelves], kInputSlot, frame(n + kSkew, seed));
    }

    ChainStates<Pair>& states_;
    const Sample* const* inputs_;
    FrameWriter<Sample> writer_;
    const int32_t frames_;
    const bool analog_;
    // The offset in the lanes that get it and −0 in the others: x + (−0) is x for every x.
    const W offsetInFront_[kGroups];
    const W offsetBehind_[kGroups];
    bool runs_[kSectionCount] = {};
    __m512i delays_[kGroups];
    ShelfLanes shelves_;
    BiquadLanes front_;
    FirstOrderLanes firstOrders_;
    BiquadLanes back_;
    alignas(64) double noise_[2 * kNoiseFrames + kDrawsPerStep];
    int32_t noiseStart_ = 0;
    int32_t noiseEnd_ = 0;
};
}  // namespace

template <class Sample>
double runChainAvx512(const ChainCoefficients<Pair>& coefficients, ChainStates<Pair>& states,
                      const Sample* const* inputs, Sample* const* outputs, int32_t frames,
                      const CallSettings& settings, double offset, uint32_t& noiseSeed) {
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

#pragma GCC pop_options
#endif
