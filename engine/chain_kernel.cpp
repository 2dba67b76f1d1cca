#include "chain_kernel.h"

#include <algorithm>
#include <array>
#include <utility>

#include "analog_noise.h"
#include "chain_kernel_wide.h"
#include "chain_stretch.h"
#include "frame_io.h"
#include "portable_chain.h"
#include "state_hygiene.h"
#include "transparent_run.h"

namespace dsp {

namespace {
// Longer calls run in pieces of this many frames, so frame indices never overflow.
constexpr int32_t kLongestRun = 1 << 20;

Biquad<Pair> broadcast(const Biquad<double>& c) {
    return {Pair(c.a0), Pair(c.a1), Pair(c.a2), Pair(c.b0), Pair(c.b1), Pair(c.b2)};
}
FirstOrder<Pair> broadcast(const FirstOrder<double>& c) { return {Pair(c.b0), Pair(c.b1), Pair(c.a1)}; }
Shelf<Pair> broadcast(const Shelf<double>& c) { return {Pair(c.k), Pair(c.c)}; }

Biquad<double> lane(const Biquad<Pair>& c, double (Pair::*pick)() const) {
    return {(c.a0.*pick)(), (c.a1.*pick)(), (c.a2.*pick)(), (c.b0.*pick)(), (c.b1.*pick)(), (c.b2.*pick)()};
}
FirstOrder<double> lane(const FirstOrder<Pair>& c, double (Pair::*pick)() const) {
    return {(c.b0.*pick)(), (c.b1.*pick)(), (c.a1.*pick)()};
}
Shelf<double> lane(const Shelf<Pair>& c, double (Pair::*pick)() const) { return {(c.k.*pick)(), (c.c.*pick)()}; }
BiquadState<double> lane(const BiquadState<Pair>& s, double (Pair::*pick)() const) {
    return {(s.x1.*pick)(), (s.x2.*pick)(), (s.y1.*pick)(), (s.y2.*pick)()};
}
FirstOrderState<double> lane(const FirstOrderState<Pair>& s, double (Pair::*pick)() const) {
    return {(s.x1.*pick)(), (s.y1.*pick)()};
}
ShelfState<double> lane(const ShelfState<Pair>& s, double (Pair::*pick)() const) { return {(s.s.*pick)()}; }

// What every stage does in one call: the section it runs (a pass-filter slot's follows the
// slope), whether it computes it (it runs and does not pass as the identity), and the offset
// in front of it: the call's where its section runs and takes one, else −0.
struct StagePlan {
    Section sections[kStages];
    StageFlags computing{};
    StageOffsets offsets{};
};
StagePlan stagePlan(const CallSettings& s, double offset) {
    const uint32_t running = runningSections(s);
    StagePlan plan;
    for (int k = 0; k < kStages; ++k) {
        const Section section = stageSection(k, s);
        const bool runs = section != kNoSection && (running & sectionBit(section)) != 0;
        plan.sections[k] = section;
        plan.computing[k] = runs && (s.passingSections & sectionBit(section)) == 0;
        plan.offsets[k] = Pair(runs && traitsOf(section).offsetInFront ? offset : -0.0);
    }
    return plan;
}

// Fewer computing sections (each a stage) than this run faster in the SSE2 loops than in the
// AVX-512 kernel, whose lanes of the groups with nothing to compute still pass their values
// along (measured with one and three: 3.7 against 6.1 and 6.1 against 7.1 ns a frame at 512).
constexpr int kFewestWideStages = 4;

unsigned computingParts(const StageFlags& computing) {
    unsigned parts = 0;
    for (int k = 0; k < kStages; ++k) parts |= computing[k] ? partBit(kStageSections.stage[k].part) : 0u;
    return parts;
}

// One call's frame loop (at most kLongestRun frames) for the parts kParts, which must be those
// the settings run. It works on its own copies of the coefficients and states, which the
// output stores cannot alias.
template <class Sample, unsigned kParts>
class ChainRun {
    using Values = StageValues;

public:
    // `stretchLoop`, when given, runs the iterations in which every stage has a frame.
    ChainRun(const ChainCoefficients<Pair>& c, const ChainStates<Pair>& s, const Sample* const* inputs,
             Sample* const* outputs, int32_t frames, const CallSettings& settings, double offset, const StagePlan& plan,
             uint32_t seed, StretchLoop<Sample> stretchLoop)
        : stretchLoop_(stretchLoop),
          c_(c),
          s_(s),
          inputs_(inputs),
          outputs_(outputs),
          writer_(outputs, settings),
          frames_(frames),
          settings_(settings),
          seed_(seed),
          d_(offset),
          computing_(plan.computing),
          offsets_(plan.offsets) {
        std::copy(plan.sections, plan.sections + kStages, stageSections_);
    }

    // Returns the largest frame level; the states and the generator state are then in
    // states() and seed().
    double run() {
        const int32_t iterations = frames_ + kLatency;
        for (int32_t n = 0; n < iterations;) {
            const int32_t chunkEnd = std::min(n + kCleanInterval, iterations);
            while (n < chunkEnd) {
                if (n >= kLatency && n < frames_ && stretchLoop_ != nullptr) {
                    const int32_t steadyEnd = std::min(chunkEnd, frames_);
                    Stretch<Sample> stretch{c_,      s_,    v_,         inputs_,   outputs_,
                                            writer_, seed_, computing_, settings_, offsets_};
                    stretchLoop_(stretch, n, steadyEnd);
                    n = steadyEnd;
                } else if (n >= kLatency && n < frames_) {
                    // On local copies, which the compiler keeps in registers where they fit.
                    ChainStates<Pair> s = s_;
                    Values v = v_;
                    const int32_t steadyEnd = std::min(chunkEnd, frames_);
                    for (; n < steadyEnd; ++n) iteration<false>(n, s, v);
                    s_ = s;
                    v_ = v;
                } else {
                    iteration<true>(n, s_, v_);
                    ++n;
                }
            }
            cleanStates(s_);
        }
        return writer_.peak();
    }
    const ChainStates<Pair>& states() const { return s_; }
    uint32_t seed() const { return seed_; }

private:
    // Stage k is live when it computes and its frame n − k exists; only the first and last
    // kLatency iterations of a call need to ask.
    template <int kStage, bool kEdge>
    bool live(int32_t n) const {
        constexpr bool kPartRuns = (kParts & partBit(pipelineStage(kStage).part)) != 0;
        return kPartRuns && computing_[kStage] && (!kEdge || frameExists(kStage, n));
    }
    bool frameExists(int k, int32_t n) const { return n - k >= 0 && n - k < frames_; }

    template <bool kEdge>
    void iteration(int32_t n, ChainStates<Pair>& s, Values& v) {
        // Last stage first: each stage reads the value that the stage before it produced in
        // the previous iteration, before that slot is overwritten.
        laterStages<kEdge>(n, s, v, std::make_integer_sequence<int, kStages - 1>());
        if (!kEdge || n < frames_) v[0] = loadFrame(inputs_, n);
        stage<0, kEdge>(n, s, v);
        if (!kEdge || n >= kLatency) writer_.write(n - kLatency, v[kStages]);
    }
    // Stages kStages − 1 down to 1.
    template <bool kEdge, int... kIndex>
    __attribute__((always_inline)) void laterStages(int32_t n, ChainStates<Pair>& s, Values& v,
                                                    std::integer_sequence<int, kIndex...>) {
        (stage<kStages - 1 - kIndex, kEdge>(n, s, v), ...);
    }

    // Stage k computes its section where it is live. Otherwise it passes its input on, plus the
    // offset in front of it if its section passes as the identity; such a section keeps that
    // value as its history, which only the edge iterations do, as they include every stage's
    // last two frames (the last one alone for a shelf, which keeps one). Sections that do not
    // pass as the identity never run in a stage that is not live (at most on frames that do
    // not exist), and their offset is then −0.
    template <int kStage, bool kEdge>
    __attribute__((always_inline)) void stage(int32_t n, ChainStates<Pair>& s, Values& v) {
        constexpr PipelineStage kWhat = pipelineStage(kStage);
        const Pair in = v[kStage];
        if constexpr (kWhat.section == kNoSection) {
            v[kStage + 1] = live<kStage, kEdge>(n) ? computeSlot<kWhat.part, kWhat.slot>(kStage, s, in) : in;
        } else if (live<kStage, kEdge>(n)) {
            v[kStage + 1] = computeSection<kWhat.section>(s, in);
        } else if constexpr ((kPassableSections & sectionBit(kWhat.section)) != 0) {
            const Pair x = traitsOf(kWhat.section).offsetInFront ? in + offsets_[kStage] : in;
            if (kEdge && (settings_.passingSections & sectionBit(kWhat.section)) != 0 && frameExists(kStage, n)) {
                passThrough(sectionOf<kWhat.section>(s), x);
            }
            v[kStage + 1] = x;
        } else {
            v[kStage + 1] = in;
        }
    }

    // A live pass-filter slot: the section the slope put there, among those that can fill it
    // (the last one when it is none of the others).
    template <ChainPart kFilter, int kSlot, int kFrom = 0>
    __attribute__((always_inline)) Pair computeSlot(int k, ChainStates<Pair>& s, Pair x) {
        constexpr Section kCandidate = nextSlotCandidate(kFilter, kSlot, kFrom);
        constexpr int kNext = static_cast<int>(kCandidate) + 1;
        if constexpr (nextSlotCandidate(kFilter, kSlot, kNext) == kNoSection) {
            return computeSection<kCandidate>(s, x);
        } else {
            if (stageSections_[k] == kCandidate) return computeSection<kCandidate>(s, x);
            return computeSlot<kFilter, kSlot, kNext>(k, s, x);
        }
    }

    template <Section kSection>
    __attribute__((always_inline)) Pair computeSection(ChainStates<Pair>& s, Pair x) {
        if constexpr (traitsOf(kSection).offsetInFront) x = x + d_;
        if constexpr (traitsOf(kSection).part == ChainPart::analog) {
            const double left = nextAnalogNoise(seed_);
            const double right = nextAnalogNoise(seed_);
            x = x + Pair(left, right);
        }
        return sectionStep(kSection, sectionOf<kSection>(c_), sectionOf<kSection>(s), x);
    }

    const StretchLoop<Sample> stretchLoop_;
    const ChainCoefficients<Pair> c_;
    ChainStates<Pair> s_;
    const Sample* const* inputs_;
    Sample* const* outputs_;
    FrameWriter<Sample> writer_;
    const int32_t frames_;
    const CallSettings& settings_;
    uint32_t seed_;
    const Pair d_;  // the call's offset
    const StageFlags computing_;
    const StageOffsets offsets_;
    Section stageSections_[kStages];
    Values v_{};
};

template <class Sample, unsigned kParts>
double runParts(ChainCoefficients<Pair>& c, ChainStates<Pair>& s, const Sample* const* inputs, Sample* const* outputs,
                int32_t frames, const CallSettings& settings, double offset, const StagePlan& plan, uint32_t& noiseSeed,
                bool avx2) {
#if QX71_WIDE_KERNELS
    const StretchLoop<Sample> stretchLoop = avx2 ? avx2StretchLoop<Sample>(plan.computing) : nullptr;
#else
    const StretchLoop<Sample> stretchLoop = nullptr;
#endif
    ChainRun<Sample, kParts> run(c, s, inputs, outputs, frames, settings, offset, plan, noiseSeed, stretchLoop);
    const double peak = run.run();
    s = run.states();
    noiseSeed = run.seed();
    return peak;
}

template <class Sample>
using PartsRun = double (*)(ChainCoefficients<Pair>&, ChainStates<Pair>&, const Sample* const*, Sample* const*, int32_t,
                            const CallSettings&, double, const StagePlan&, uint32_t&, bool);
template <class Sample, unsigned... kParts>
constexpr std::array<PartsRun<Sample>, kPartSets> partsRuns(std::integer_sequence<unsigned, kParts...>) {
    return {&runParts<Sample, kParts>...};
}
// The frame loop of every set of computing parts, indexed by computingParts().
template <class Sample>
constexpr std::array<PartsRun<Sample>, kPartSets> kPartsRuns =
    partsRuns<Sample>(std::make_integer_sequence<unsigned, kPartSets>());

bool isIdentity(const Biquad<double>& c) {
    return c.b0 == 1.0 && c.b1 == 0.0 && c.b2 == 0.0 && c.a1 == 0.0 && c.a2 == 0.0;
}
bool isIdentity(const FirstOrder<double>& c) { return c.b0 == 1.0 && c.b1 == 0.0 && c.a1 == 0.0; }
bool isIdentity(const Shelf<double>& c) { return c.k == 0.0 && c.c == 0.0; }

}  // namespace

ChainKernel::ChainKernel() : kind_(chosenKernel()) { setCoefficients(DesignedChain::initialCoefficients()); }

void ChainKernel::setCoefficients(const ChainCoefficients<double>& designed) {
    forEachSection([](Section, auto& target, const auto& source) { target = broadcast(source); }, coefficients_,
                   designed);
    identitySections_ = 0;
    forEachSection(
        [this](Section section, const auto& c) { identitySections_ |= isIdentity(c) ? sectionBit(section) : 0u; },
        designed);
}

void ChainKernel::clearStates(Section section) {
    forEachSection(
        [section](Section s, auto& state) {
            if (s == section) state = {};
        },
        states_);
}

template <class Sample>
double ChainKernel::process(const Sample* const* inputs, Sample* const* outputs, int32_t frames,
                            const CallSettings& settings, double offset, uint32_t& noiseSeed) {
    CallSettings call = settings;
    call.passingSections = identitySections_ & kPassableSections & runningSections(settings);
    double peak = 0.0;
    for (int32_t done = 0; done < frames;) {
        const int32_t piece = std::min(frames - done, kLongestRun);
        const Sample* const pieceInputs[2] = {inputs[0] + done, inputs[1] + done};
        Sample* const pieceOutputs[2] = {outputs[0] + done, outputs[1] + done};
        peak = std::max(peak, runPiece(pieceInputs, pieceOutputs, piece, call, offset, noiseSeed));
        done += piece;
    }
    return peak;
}

template <class Sample>
double ChainKernel::runPiece(const Sample* const* inputs, Sample* const* outputs, int32_t frames,
                             const CallSettings& settings, double offset, uint32_t& noiseSeed) {
    if (kind_ == ChainKernelKind::portable) {
        return runPortable(coefficients_, states_, inputs, outputs, frames, settings, offset, noiseSeed);
    }
    const uint32_t computing = runningSections(settings) & ~settings.passingSections;
    if (computing == 0) return runTransparent(states_, inputs, outputs, frames, settings, offset);
#if QX71_WIDE_KERNELS
    if (kind_ == ChainKernelKind::avx512 && __builtin_popcount(computing) >= kFewestWideStages) {
        return runWideKernel<ChainKernelKind::avx512>(coefficients_, states_, inputs, outputs, frames, settings, offset,
                                                      noiseSeed);
    }
#endif
    const StagePlan plan = stagePlan(settings, offset);
    return kPartsRuns<Sample>[computingParts(plan.computing)](coefficients_, states_, inputs, outputs, frames, settings,
                                                              offset, plan, noiseSeed, kind_ == ChainKernelKind::avx2);
}

template double ChainKernel::process<float>(const float* const*, float* const*, int32_t, const CallSettings&, double,
                                            uint32_t&);
template double ChainKernel::process<double>(const double* const*, double* const*, int32_t, const CallSettings&, double,
                                             uint32_t&);

ChainCoefficients<double> ChainKernel::coefficients() const {
    ChainCoefficients<double> result;
    forEachSection([](Section, auto& target, const auto& source) { target = lane(source, &Pair::left); }, result,
                   coefficients_);
    return result;
}

ChainStates<double> ChainKernel::states(int channel) const {
    ChainStates<double> result;
    const auto pick = channel == 0 ? &Pair::left : &Pair::right;
    forEachSection([pick](Section, auto& target, const auto& source) { target = lane(source, pick); }, result, states_);
    return result;
}

}  // namespace dsp
