// The AVX2 kernel: the SSE2 kernel's pipeline (chain_stretch.h) with two stages side by side
// in each four-double register, left and right channel of the earlier stage in the low half,
// of the later one in the high half. Stage pairs: Analog and low shelf, low dip and low main,
// mid bell and high bell, the two high-pass slots, the two low-pass slots; the high shelf runs
// alone. The stage after a pair's later stage is the earlier stage of the next pair, so most
// inputs are one lane crossing of two outputs.
//
// Sixteen registers do not hold every state of the chain (eight biquads alone have 64
// values), so only each register's last output (the next stages' inputs) and the shelves'
// states stay in registers. The biquads' history (x[n−1], x[n−2], y[n−1], y[n−2]) goes to small
// buffers in memory, written one or two frames before it is read, and the coefficients are
// memory operands: the loop is bound by its vector memory operations, and every value held in
// a register beyond these makes the compiler spill states, which costs more. Every lane keeps the scalar formulas'
// operations and their order: no FMA, no reassociation. With fewer than four computing stages the SSE2 loop runs
// instead (kFewestPairedStages).
#include "chain_stretch.h"

#include "avx2_noise.h"
#include "kernel_choice.h"

#if QX71_WIDE_KERNELS
#include <immintrin.h>

#include <algorithm>
#include <type_traits>
#include <utility>

#pragma GCC push_options
#pragma GCC target("avx2,no-fma")

namespace dsp {
namespace {

using Two = __m256d;  // two stages: [left, right] of the earlier, then of the later

Two two(Pair earlier, Pair later) { return _mm256_set_m128d(later.v, earlier.v); }
Pair earlierOf(Two t) { return Pair(_mm256_castpd256_pd128(t)); }
Pair laterOf(Two t) { return Pair(_mm256_extractf128_pd(t, 1)); }
// [later of a, earlier of b]: the inputs of a pair whose stages follow a's later stage and
// b's earlier one.
Two following(Two a, Two b) { return _mm256_permute2f128_pd(a, b, 0x21); }
// All bits set in the lanes of the stages whose flag is set.
Two lanesOf(bool earlier, bool later) {
    const long long e = earlier ? -1 : 0, l = later ? -1 : 0;
    return _mm256_castsi256_pd(_mm256_set_epi64x(l, l, e, e));
}
// y where a stage computes, else its input x.
template <bool kAllLive>
Two pick(Two computes, Two x, Two y) {
    return kAllLive ? y : _mm256_blendv_pd(x, y, computes);
}

// The older history of a biquad pair between frames: ring[i] holds frame m − 2 and ring[i + 1]
// frame m − 1 when frame m is at position i.
constexpr int kRing = kAvx2NoiseFrames;  // a ring's frames draw their noise in one call
struct BiquadPair {
    Two b0, b1, b2, a1, a2;
    Two computes;
    Two x[kRing + 2], y[kRing + 2];

    void load(const Biquad<Pair>& c0, const BiquadState<Pair>& s0, const Biquad<Pair>& c1, const BiquadState<Pair>& s1,
              bool computes0, bool computes1) {
        b0 = two(c0.b0, c1.b0);
        b1 = two(c0.b1, c1.b1);
        b2 = two(c0.b2, c1.b2);
        a1 = two(c0.a1, c1.a1);
        a2 = two(c0.a2, c1.a2);
        computes = lanesOf(computes0, computes1);
        x[0] = two(s0.x2, s1.x2);
        x[1] = two(s0.x1, s1.x1);
        y[0] = two(s0.y2, s1.y2);
        y[1] = two(s0.y1, s1.y1);
    }
    // The states after `done` frames of the ring, into the records of the stages that compute.
    void store(BiquadState<Pair>& s0, BiquadState<Pair>& s1, bool computes0, bool computes1, int done) const {
        if (computes0) s0 = {earlierOf(x[done + 1]), earlierOf(x[done]), earlierOf(y[done + 1]), earlierOf(y[done])};
        if (computes1) s1 = {laterOf(x[done + 1]), laterOf(x[done]), laterOf(y[done + 1]), laterOf(y[done])};
    }
    // Moves the last two frames' history to the start of the ring.
    void wrap(int done) {
        x[0] = x[done];
        x[1] = x[done + 1];
        y[0] = y[done];
        y[1] = y[done + 1];
    }
    // biquadStep on both stages, whose y[n − 1] is y1. Only the low band's pair keeps y[n − 1]
    // in a register; the others read theirs from the ring: registers holding them would make
    // the compiler spill states, which costs more than the loads (measured).
    __attribute__((always_inline)) Two step(int i, Two in) { return step(i, in, y[i + 1]); }
    __attribute__((always_inline)) Two step(int i, Two in, Two y1) {
        const Two out = b0 * in + b1 * x[i + 1] + b2 * x[i] - a1 * y1 - a2 * y[i];
        x[i + 2] = in;
        y[i + 2] = out;
        return out;
    }
};

struct ShelfPair {
    Two k, c;

    Two step(Two x, Two& s) const {
        const Two w = x - c * s;
        const Two ap = c * w + s;
        s = w;
        // Analog's high shelf in the low half, the low shelf (lfShelf) in the high half.
        return _mm256_blend_pd(x - ap, ap + x, 0xC) * k + x;
    }
};

// The records of a pass filter's two slots for a slope (chain_layout.h). Two biquads run as a
// pair; a first-order section in the first slot runs alone, before the biquad of the second
// slot, and the pair's first lanes then run along unused on that biquad's records (as does
// the second slot's when the slope has one section only).
struct PassSlots {
    bool paired;
    FirstOrder<Pair> const* firstC;
    FirstOrderState<Pair>* firstS;
    Biquad<Pair> const* c[kPassSlots];
    BiquadState<Pair>* s[kPassSlots];
};
template <ChainPart kFilter, class Sample>
PassSlots passSlots(const Stretch<Sample>& stretch) {
    const int slope = slopeOf(stretch.settings, kFilter);
    PassSlots slots{true, nullptr, nullptr, {}, {}};
    Biquad<Pair> const* firstBiquadC = nullptr;
    BiquadState<Pair>* firstBiquadS = nullptr;
    forEachSectionConstant([&](auto section) {
        constexpr Section kSection = decltype(section)::value;
        if constexpr (traitsOf(kSection).part == kFilter) {
            const auto& coefficients = sectionOf<kSection>(stretch.c);
            auto& state = sectionOf<kSection>(stretch.s);
            using Record = std::decay_t<decltype(coefficients)>;
            if constexpr (std::is_same_v<Record, FirstOrder<Pair>>) {
                slots.firstC = &coefficients;
                slots.firstS = &state;
                if (slotSection(kFilter, slope, 0) == kSection) slots.paired = false;
            } else {
                if (firstBiquadC == nullptr) {
                    firstBiquadC = &coefficients;
                    firstBiquadS = &state;
                }
                for (int slot = 0; slot < kPassSlots; ++slot) {
                    if (slotSection(kFilter, slope, slot) != kSection) continue;
                    slots.c[slot] = &coefficients;
                    slots.s[slot] = &state;
                }
            }
        }
    });
    for (int slot = 0; slot < kPassSlots; ++slot) {
        if (slots.c[slot] != nullptr) continue;
        const int other = kPassSlots - 1 - slot;
        slots.c[slot] = slots.c[other] != nullptr ? slots.c[other] : firstBiquadC;
        slots.s[slot] = slots.s[other] != nullptr ? slots.s[other] : firstBiquadS;
    }
    return slots;
}
// Both pass filters' slots, found once per stretch.
struct PassFilterSlots {
    PassSlots highPass, lowPass;
};

// The registers of stages, one bit each in a set of computing registers: a loop is compiled for
// every set, so that a register none of whose stages computes costs only the passing of its
// lanes.
enum Register : unsigned {
    shelfBit = 1,
    lowBit = 2,
    bellsBit = 4,
    highShelfBit = 8,
    highPassBit = 16,
    lowPassBit = 32
};
constexpr unsigned kRegisterSets = 64;

// The stages by their sections (chain_stretch.h numbers them), and the order this kernel's pairs
// are wired for: each pair's earlier stage follows the previous register's later stage.
constexpr int passSlotStage(ChainPart filter) {
    for (int k = 0; k < kStages; ++k) {
        if (pipelineStage(k).part == filter && pipelineStage(k).section == kNoSection) return k;
    }
    return -1;
}
constexpr int kAnalogStage = stageOf(Section::analogShelf), kLowShelfStage = stageOf(Section::lfShelf),
              kLowDipStage = stageOf(Section::lfDip), kLowMainStage = stageOf(Section::lfMain),
              kMidStage = stageOf(Section::mfPeak), kHighShelfStage = stageOf(Section::hfShelf),
              kHighBellStage = stageOf(Section::hfPeak), kHighPassStage = passSlotStage(ChainPart::highPass),
              kLowPassStage = passSlotStage(ChainPart::lowPass);
static_assert(kAnalogStage == 0 && kLowShelfStage == kAnalogStage + 1 && kLowDipStage == kLowShelfStage + 1 &&
                  kLowMainStage == kLowDipStage + 1 && kMidStage == kLowMainStage + 1 &&
                  kHighShelfStage == kMidStage + 1 && kHighBellStage == kHighShelfStage + 1 &&
                  kHighPassStage == kHighBellStage + 1 && kLowPassStage == kHighPassStage + kPassSlots &&
                  kStages == kLowPassStage + kPassSlots,
              "the pairs below are wired for this order of stages");
constexpr unsigned registerOf(int k) {
    if (k == kAnalogStage || k == kLowShelfStage) return shelfBit;
    if (k == kLowDipStage || k == kLowMainStage) return lowBit;
    if (k == kMidStage || k == kHighBellStage) return bellsBit;
    if (k == kHighShelfStage) return highShelfBit;
    return pipelineStage(k).part == ChainPart::highPass ? highPassBit : lowPassBit;
}

// kRegisters: the registers with a computing stage. kAllLive: every stage in them computes, so no
// lane passes its input on, and the pass filters among them have odd slopes (their slots run as
// pairs).
template <class Sample, unsigned kRegisters, bool kAllLive>
class StretchRun {
public:
    StretchRun(Stretch<Sample>& st, const PassFilterSlots& slots) : st_(st), hp_(slots.highPass), lp_(slots.lowPass) {
        for (int k = 0; k < kStages; ++k) live_[k] = st.computing[k];
    }

    void run(int32_t n, const int32_t end) {
        const ChainCoefficients<Pair>& c = st_.c;
        ChainStates<Pair>& s = st_.s;
        StageValues& v = st_.v;
        // Outputs of the last iteration, as pairs: o01 Analog and low shelf, o23 low dip and low
        // main, o46 mid and high bell, o5 the high shelf, o78 and o910 the pass filters' slots.
        Two o01 = two(v[kAnalogStage + 1], v[kLowShelfStage + 1]), o23 = two(v[kLowDipStage + 1], v[kLowMainStage + 1]),
            o46 = two(v[kMidStage + 1], v[kHighBellStage + 1]), o78 = two(v[kHighPassStage + 1], v[kHighPassStage + 2]),
            o910 = two(v[kLowPassStage + 1], v[kLowPassStage + 2]);
        Pair o5 = v[kHighShelfStage + 1];
        shelves_.k = two(c.analogShelf.k, c.lfShelf.k);
        shelves_.c = two(c.analogShelf.c, c.lfShelf.c);
        const Two shelvesCompute = lanesOf(live_[kAnalogStage], live_[kLowShelfStage]);
        Two s01 = two(s.analogShelf.s, s.lfShelf.s);
        b23_.load(c.lfDip, s.lfDip, c.lfMain, s.lfMain, live_[kLowDipStage], live_[kLowMainStage]);
        Two y23 = b23_.y[1];
        b46_.load(c.mfPeak, s.mfPeak, c.hfPeak, s.hfPeak, live_[kMidStage], live_[kHighBellStage]);
        b78_.load(*hp_.c[0], *hp_.s[0], *hp_.c[1], *hp_.s[1], live_[kHighPassStage], live_[kHighPassStage + 1]);
        b910_.load(*lp_.c[0], *lp_.s[0], *lp_.c[1], *lp_.s[1], live_[kLowPassStage], live_[kLowPassStage + 1]);
        // The high shelf's state and coefficients as plain values, which stay in registers.
        Pair s5 = s.hfShelf.s;
        const Pair k5 = c.hfShelf.k, c5 = c.hfShelf.c;
        FirstOrderState<Pair> hpFirst = *hp_.firstS, lpFirst = *lp_.firstS;
        // The offsets in front of the stages (the call's or −0: x + (−0) is x for every x).
        const StageOffsets& d = st_.offsets;
        const Two offset46 = two(d[kMidStage], d[kHighBellStage]);
        const Pair offset5 = d[kHighShelfStage];
        const Two offset910 = two(d[kLowPassStage], d[kLowPassStage + 1]);

        constexpr bool kShelves = (kRegisters & shelfBit) != 0;
        constexpr bool kLow = (kRegisters & lowBit) != 0;
        constexpr bool kMidHigh = (kRegisters & bellsBit) != 0;
        constexpr bool kHigh = (kRegisters & highShelfBit) != 0;
        constexpr bool kHighPass = (kRegisters & highPassBit) != 0;
        constexpr bool kLowPass = (kRegisters & lowPassBit) != 0;
        int done = 0;
        while (n < end) {
            const int count = static_cast<int>(std::min<int32_t>(kRing, end - n));
            gather(n, count);
#pragma GCC unroll 2
            for (int i = 0; i < count; ++i) {
                // Every input from the last iteration's outputs, then every stage.
                const Pair first(_mm_load_pd(firstFrames_ + 2 * i));
                const Two in01 = _mm256_insertf128_pd(_mm256_castpd128_pd256(first.v), earlierOf(o01).v, 1);
                const Two in23 = following(o01, o23);
                const Two in46 = _mm256_permute2f128_pd(o23, _mm256_castpd128_pd256(o5.v), 0x21) + offset46;
                const Pair in5 = earlierOf(o46) + offset5;
                const Two in78 = following(o46, o78);
                const Two in910 = following(o78, o910) + offset910;

                if constexpr (kShelves) {
                    o01 = pick<kAllLive>(shelvesCompute, in01, shelves_.step(in01, s01));
                } else {
                    o01 = in01;
                }
                if constexpr (kLow) {
                    y23 = b23_.step(i, in23, y23);
                    o23 = pick<kAllLive>(b23_.computes, in23, y23);
                } else {
                    o23 = in23;
                }
                if constexpr (kMidHigh) {
                    o46 = pick<kAllLive>(b46_.computes, in46, b46_.step(i, in46));
                } else {
                    o46 = in46;
                }
                if constexpr (kHigh) {
                    o5 = kAllLive || live_[kHighShelfStage] ? highShelf(k5, c5, s5, in5) : in5;
                } else {
                    o5 = in5;
                }
                if constexpr (kHighPass) {
                    o78 = passSlotsStep(hp_, b78_, hpFirst, i, in78, live_[kHighPassStage], live_[kHighPassStage + 1]);
                } else {
                    o78 = in78;
                }
                if constexpr (kLowPass) {
                    o910 = passSlotsStep(lp_, b910_, lpFirst, i, in910, live_[kLowPassStage], live_[kLowPassStage + 1]);
                } else {
                    o910 = in910;
                }
                _mm_store_pd(doneFrames_ + 2 * i, laterOf(o910).v);
            }
            write(n - kLatency, count);
            n += count;
            done = count;
            if (n < end) {
                if constexpr (kLow) b23_.wrap(done);
                if constexpr (kMidHigh) b46_.wrap(done);
                if constexpr (kHighPass) b78_.wrap(done);
                if constexpr (kLowPass) b910_.wrap(done);
            }
        }

        v[kAnalogStage] = lastFrame_;
        const auto split = [](Two t, Pair& earlier, Pair& later) {
            earlier = earlierOf(t);
            later = laterOf(t);
        };
        split(o01, v[kAnalogStage + 1], v[kLowShelfStage + 1]);
        split(o23, v[kLowDipStage + 1], v[kLowMainStage + 1]);
        split(o46, v[kMidStage + 1], v[kHighBellStage + 1]);
        v[kHighShelfStage + 1] = o5;
        split(o78, v[kHighPassStage + 1], v[kHighPassStage + 2]);
        split(o910, v[kLowPassStage + 1], v[kLowPassStage + 2]);
        if (live_[kAnalogStage]) s.analogShelf.s = earlierOf(s01);
        if (live_[kLowShelfStage]) s.lfShelf.s = laterOf(s01);
        if (live_[kHighShelfStage]) s.hfShelf.s = s5;
        b23_.store(s.lfDip, s.lfMain, live_[kLowDipStage], live_[kLowMainStage], done);
        b46_.store(s.mfPeak, s.hfPeak, live_[kMidStage], live_[kHighBellStage], done);
        storePassSlots(hp_, b78_, hpFirst, live_[kHighPassStage], live_[kHighPassStage + 1], done);
        storePassSlots(lp_, b910_, lpFirst, live_[kLowPassStage], live_[kLowPassStage + 1], done);
    }

private:
    // highShelfStep on plain values.
    __attribute__((always_inline)) static Pair highShelf(Pair k, Pair c, Pair& s, Pair x) {
        const Pair w = x - c * s;
        const Pair ap = c * w + s;
        s = w;
        return (x - ap) * k + x;
    }

    // firstFrames_[2i, 2i + 1] = input frame n + i plus, while the Analog stage computes, its
    // noise, for i < count.
    void gather(int32_t n, int count) {
        const Sample* left = st_.inputs[0] + n;
        const Sample* right = st_.inputs[1] + n;
        if (live_[kAnalogStage]) drawAnalogNoiseAvx2(st_.seed, noise_, count);
        int i = 0;
        for (; i + 4 <= count; i += 4) {
            const Two l = loadFour(left + i), r = loadFour(right + i);
            const Two frames01 = _mm256_permute2f128_pd(_mm256_unpacklo_pd(l, r), _mm256_unpackhi_pd(l, r), 0x20);
            const Two frames23 = _mm256_permute2f128_pd(_mm256_unpacklo_pd(l, r), _mm256_unpackhi_pd(l, r), 0x31);
            const Two noNoise = _mm256_set1_pd(-0.0);  // x + (−0) is x for every x
            _mm256_store_pd(firstFrames_ + 2 * i,
                            frames01 + (live_[kAnalogStage] ? _mm256_load_pd(noise_ + 2 * i) : noNoise));
            _mm256_store_pd(firstFrames_ + 2 * i + 4,
                            frames23 + (live_[kAnalogStage] ? _mm256_load_pd(noise_ + 2 * i + 4) : noNoise));
        }
        for (; i < count; ++i) {
            const Pair frame = loadFrame(st_.inputs, n + i);
            const Pair x = live_[kAnalogStage] ? frame + Pair(_mm_load_pd(noise_ + 2 * i)) : frame;
            _mm_store_pd(firstFrames_ + 2 * i, x.v);
        }
        lastFrame_ = loadFrame(st_.inputs, n + count - 1);
    }

    // FrameWriter::write for the frames first + i, i < count, from doneFrames_, four at a time.
    void write(int32_t first, int count) {
        const CallSettings& settings = st_.settings;
        const Two gain = _mm256_set1_pd(settings.outputGain), polarity = _mm256_set1_pd(settings.polarity);
        const Two magnitude = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7FFFFFFFFFFFFFFFLL));
        Two peak = _mm256_setzero_pd();
        int i = 0;
        for (; i + 4 <= count; i += 4) {
            const Two scaled01 = _mm256_load_pd(doneFrames_ + 2 * i) * gain;
            const Two scaled23 = _mm256_load_pd(doneFrames_ + 2 * i + 4) * gain;
            // Frames 0 2 1 3 of each channel, put in order.
            const Two left = _mm256_permute4x64_pd(_mm256_unpacklo_pd(scaled01, scaled23), 0xD8);
            const Two right = _mm256_permute4x64_pd(_mm256_unpackhi_pd(scaled01, scaled23), 0xD8);
            const Two leftOut = left * polarity;
            storeFour(st_.outputs[0] + first + i, leftOut);
            storeFour(st_.outputs[1] + first + i, settings.mono ? leftOut : right * polarity);
            if (settings.measurePeak) {
                const Two leftLevel = _mm256_and_pd(left, magnitude);
                const Two level =
                    settings.mono ? leftLevel : (leftLevel + _mm256_and_pd(right, magnitude)) * _mm256_set1_pd(0.5);
                peak = _mm256_max_pd(level, peak);  // a NaN level leaves the peak
            }
        }
        if (settings.measurePeak) {
            alignas(32) double levels[4];
            _mm256_store_pd(levels, peak);
            for (double level : levels) st_.writer.raisePeak(level);
        }
        for (; i < count; ++i) st_.writer.write(first + i, Pair(_mm_load_pd(doneFrames_ + 2 * i)));
    }

    static Two loadFour(const float* p) { return _mm256_cvtps_pd(_mm_loadu_ps(p)); }
    static Two loadFour(const double* p) { return _mm256_loadu_pd(p); }
    static void storeFour(float* p, Two v) { _mm_storeu_ps(p, _mm256_cvtpd_ps(v)); }
    static void storeFour(double* p, Two v) { _mm256_storeu_pd(p, v); }

    // The two slots of a pass filter: in = [input of the first slot, of the second].
    __attribute__((always_inline)) static Two passSlotsStep(const PassSlots& slots, BiquadPair& biquads,
                                                            FirstOrderState<Pair>& first, int i, Two in, bool live0,
                                                            bool live1) {
        const Two y = biquads.step(i, in);
        if (kAllLive || slots.paired) return pick<kAllLive>(biquads.computes, in, y);
        // A first order, then the biquad on the later lanes (its earlier lanes run along unused).
        const Pair x0 = earlierOf(in);
        const Pair out0 = live0 ? firstOrderStep(*slots.firstC, first, x0) : x0;
        return two(out0, live1 ? laterOf(y) : laterOf(in));
    }
    static void storePassSlots(const PassSlots& slots, const BiquadPair& biquads, const FirstOrderState<Pair>& first,
                               bool live0, bool live1, int done) {
        if (slots.paired) {
            biquads.store(*slots.s[0], *slots.s[1], live0, live1, done);
            return;
        }
        if (live0) *slots.firstS = first;
        BiquadState<Pair> unused;
        biquads.store(unused, *slots.s[1], false, live1, done);
    }

    Stretch<Sample>& st_;
    const PassSlots hp_, lp_;
    bool live_[kStages];
    ShelfPair shelves_;
    BiquadPair b23_, b46_, b78_, b910_;
    Pair lastFrame_;
    alignas(32) double noise_[2 * kRing];        // the Analog noise of the ring's frames
    alignas(32) double firstFrames_[2 * kRing];  // stage 0's inputs
    alignas(32) double doneFrames_[2 * kRing];   // stage 10's outputs
};

template <class Sample, unsigned kRegisters, bool kAllLive>
void runRegisters(Stretch<Sample>& stretch, const PassFilterSlots& slots, int32_t n, int32_t end) {
    StretchRun<Sample, kRegisters, kAllLive> run(stretch, slots);
    run.run(n, end);
}
template <class Sample>
using RegisterLoop = void (*)(Stretch<Sample>& stretch, const PassFilterSlots& slots, int32_t n, int32_t end);
template <class Sample, unsigned... kSets>
constexpr std::array<RegisterLoop<Sample>, 2 * kRegisterSets> registerLoops(std::integer_sequence<unsigned, kSets...>) {
    return {&runRegisters<Sample, kSets / 2, kSets % 2 == 1>...};
}
// The loop of every set of computing registers, without (even index) and with (odd) kAllLive.
template <class Sample>
constexpr std::array<RegisterLoop<Sample>, 2 * kRegisterSets> kRegisterLoops =
    registerLoops<Sample>(std::make_integer_sequence<unsigned, 2 * kRegisterSets>());

template <class Sample>
void runStretch(Stretch<Sample>& stretch, int32_t n, int32_t end) {
    const PassFilterSlots slots{passSlots<ChainPart::highPass>(stretch), passSlots<ChainPart::lowPass>(stretch)};
    unsigned registers = 0;
    for (int k = 0; k < kStages; ++k) registers |= stretch.computing[k] ? registerOf(k) : 0u;
    bool allLive = ((registers & highPassBit) == 0 || slots.highPass.paired) &&
                   ((registers & lowPassBit) == 0 || slots.lowPass.paired);
    for (int k = 0; k < kStages; ++k) allLive = allLive && ((registers & registerOf(k)) == 0 || stretch.computing[k]);
    kRegisterLoops<Sample>[2 * registers + (allLive ? 1 : 0)](stretch, slots, n, end);
}

// Fewer computing stages than this run faster one per SSE2 register: passing values down the
// pipeline is free there (register renaming) and costs a lane crossing per pair here, which
// two or three stages in pairs do not save back (measured with three: a sixth slower).
constexpr int kFewestPairedStages = 4;

template <class Sample>
StretchLoop<Sample> stretchLoopFor(const StageFlags& computing) {
    int stages = 0;
    for (bool computes : computing) stages += computes ? 1 : 0;
    return stages >= kFewestPairedStages ? &runStretch<Sample> : nullptr;
}
}  // namespace

template <>
StretchLoop<float> avx2StretchLoop<float>(const StageFlags& computing) {
    return stretchLoopFor<float>(computing);
}
template <>
StretchLoop<double> avx2StretchLoop<double>(const StageFlags& computing) {
    return stretchLoopFor<double>(computing);
}

}  // namespace dsp

#pragma GCC pop_options
#endif
