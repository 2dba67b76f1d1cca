#include "chain_kernel.h"

#include <algorithm>
#include <array>
#include <utility>

#include "analog_noise.h"
#include "chain_kernel_wide.h"
#include "chain_stretch.h"
#include "frame_io.h"
#include "state_hygiene.h"
#include "transparent_run.h"

namespace dsp {

namespace {
// States are cleaned up at this interval and at the end of every call.
constexpr int kCleanInterval = 256;
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

StageFlags computingStages(const CallSettings& s) {
    const auto computes = [&s](bool runs, Section section) {
        return runs && (s.passingSections & sectionBit(section)) == 0;
    };
    return {s.analog,
            computes(s.lowBand, Section::lfShelf),
            computes(s.lowBand, Section::lfDip),
            computes(s.lowBand, Section::lfMain),
            computes(s.midBand, Section::mfPeak),
            computes(s.highBand, Section::hfShelf),
            computes(s.highBand, Section::hfPeak),
            s.highPass,
            s.highPass && s.highPassSlope >= 2,
            s.lowPass,
            s.lowPass && s.lowPassSlope >= 2};
}

unsigned computingParts(const StageFlags& computing) {
    unsigned parts = 0;
    for (int k = 0; k < kStages; ++k) parts |= computing[k] ? partBit(pipelineStage(k).part) : 0u;
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
             Sample* const* outputs, int32_t frames, const CallSettings& settings, double offset, uint32_t seed,
             StretchLoop<Sample> stretchLoop)
        : stretchLoop_(stretchLoop),
          c_(c),
          s_(s),
          inputs_(inputs),
          outputs_(outputs),
          writer_(outputs, settings),
          frames_(frames),
          settings_(settings),
          d_(offset),
          seed_(seed),
          computing_(computingStages(settings)),
          passOffset_{Pair(settings.midBand ? offset : -0.0), Pair(settings.highBand ? offset : -0.0)} {}

    // Returns the largest frame level; the states and the generator state are then in
    // states() and seed().
    double run() {
        const int32_t iterations = frames_ + kLatency;
        for (int32_t n = 0; n < iterations;) {
            const int32_t chunkEnd = std::min(n + kCleanInterval, iterations);
            while (n < chunkEnd) {
                if (n >= kLatency && n < frames_ && stretchLoop_ != nullptr) {
                    const int32_t steadyEnd = std::min(chunkEnd, frames_);
                    Stretch<Sample> stretch{c_,
                                            s_,
                                            v_,
                                            inputs_,
                                            outputs_,
                                            writer_,
                                            seed_,
                                            computing_,
                                            settings_,
                                            d_,
                                            {passOffset_[0], passOffset_[1]}};
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
    template <bool kEdge>
    bool live(int k, int32_t n) const {
        return (kParts & partBit(pipelineStage(k).part)) != 0 && computing_[k] && (!kEdge || frameExists(k, n));
    }
    bool frameExists(int k, int32_t n) const { return n - k >= 0 && n - k < frames_; }

    // A stage that does not compute passes x on. If its section passes as the identity, it
    // keeps x as its history; only the edge iterations do that, as they include every
    // stage's last two frames (the last one alone for stage 1, a shelf, which keeps one).
    template <bool kEdge, class State>
    Pair pass(int k, int32_t n, State& s, Pair x) const {
        if (kEdge && (settings_.passingSections & sectionBit(static_cast<Section>(k))) != 0 && frameExists(k, n)) {
            passThrough(s, x);
        }
        return x;
    }

    template <bool kEdge>
    void iteration(int32_t n, ChainStates<Pair>& s, Values& v) {
        // Last stage first: each stage reads the value that the stage before it produced in
        // the previous iteration, before that slot is overwritten.
        v[11] = live<kEdge>(10, n) ? lowPassSecond(s, v[10]) : v[10];
        v[10] = live<kEdge>(9, n) ? lowPassFirst(s, v[9]) : v[9];
        v[9] = live<kEdge>(8, n) ? highPassSecond(s, v[8]) : v[8];
        v[8] = live<kEdge>(7, n) ? highPassFirst(s, v[7]) : v[7];
        // A band passing as the identity still gets its offsets (passOffset_, else −0).
        v[7] = live<kEdge>(6, n) ? biquadStep(c_.hfPeak, s.hfPeak, v[6]) : pass<kEdge>(6, n, s.hfPeak, v[6]);
        v[6] = live<kEdge>(5, n) ? highShelfStep(c_.hfShelf, s.hfShelf, v[5] + d_) + d_
                                 : pass<kEdge>(5, n, s.hfShelf, v[5] + passOffset_[1]) + passOffset_[1];
        v[5] = live<kEdge>(4, n) ? biquadStep(c_.mfPeak, s.mfPeak, v[4] + d_)
                                 : pass<kEdge>(4, n, s.mfPeak, v[4] + passOffset_[0]);
        v[4] = live<kEdge>(3, n) ? biquadStep(c_.lfMain, s.lfMain, v[3]) : pass<kEdge>(3, n, s.lfMain, v[3]);
        v[3] = live<kEdge>(2, n) ? biquadStep(c_.lfDip, s.lfDip, v[2]) : pass<kEdge>(2, n, s.lfDip, v[2]);
        v[2] = live<kEdge>(1, n) ? lowShelfStep(c_.lfShelf, s.lfShelf, v[1]) : pass<kEdge>(1, n, s.lfShelf, v[1]);
        if (!kEdge || n < frames_) v[0] = loadFrame(inputs_, n);
        v[1] = live<kEdge>(0, n) ? analog(v[0], s) : v[0];
        if (!kEdge || n >= kLatency) writer_.write(n - kLatency, v[11]);
    }

    Pair analog(Pair x, ChainStates<Pair>& s) {
        const double left = nextAnalogNoise(seed_);
        const double right = nextAnalogNoise(seed_);
        return highShelfStep(c_.analogShelf, s.analogShelf, x + Pair(left, right));
    }

    // High-pass slope 0: first order; 1: stage 1; 2: first order then stage 1; 3: stages 1, 2.
    Pair highPassFirst(ChainStates<Pair>& s, Pair x) {
        const int slope = settings_.highPassSlope;
        if (slope == 0 || slope == 2) return firstOrderStep(c_.hpFirst, s.hpFirst, x);
        return biquadStep(c_.hpStage1, s.hpStage1, x);
    }
    Pair highPassSecond(ChainStates<Pair>& s, Pair x) {
        if (settings_.highPassSlope == 2) return biquadStep(c_.hpStage1, s.hpStage1, x);
        return biquadStep(c_.hpStage2, s.hpStage2, x);
    }
    // The low-pass is the same with the offset added in front of every section.
    Pair lowPassFirst(ChainStates<Pair>& s, Pair x) {
        const int slope = settings_.lowPassSlope;
        if (slope == 0 || slope == 2) return firstOrderStep(c_.lpFirst, s.lpFirst, x + d_);
        return biquadStep(c_.lpStage1, s.lpStage1, x + d_);
    }
    Pair lowPassSecond(ChainStates<Pair>& s, Pair x) {
        if (settings_.lowPassSlope == 2) return biquadStep(c_.lpStage1, s.lpStage1, x + d_);
        return biquadStep(c_.lpStage2, s.lpStage2, x + d_);
    }

    const StretchLoop<Sample> stretchLoop_;
    const ChainCoefficients<Pair> c_;
    ChainStates<Pair> s_;
    const Sample* const* inputs_;
    Sample* const* outputs_;
    FrameWriter<Sample> writer_;
    const int32_t frames_;
    const CallSettings& settings_;
    const Pair d_;
    uint32_t seed_;
    const StageFlags computing_;
    const Pair passOffset_[2];  // in front of the mid band, and in front of and behind the high shelf
    Values v_{};
};

template <class Sample, unsigned kParts>
double runParts(ChainCoefficients<Pair>& c, ChainStates<Pair>& s, const Sample* const* inputs, Sample* const* outputs,
                int32_t frames, const CallSettings& settings, double offset, uint32_t& noiseSeed, bool avx2) {
#if QX71_WIDE_KERNELS
    const StretchLoop<Sample> stretchLoop = avx2 ? avx2StretchLoop<Sample>(computingStages(settings)) : nullptr;
#else
    const StretchLoop<Sample> stretchLoop = nullptr;
#endif
    ChainRun<Sample, kParts> run(c, s, inputs, outputs, frames, settings, offset, noiseSeed, stretchLoop);
    const double peak = run.run();
    s = run.states();
    noiseSeed = run.seed();
    return peak;
}

template <class Sample>
using PartsRun = double (*)(ChainCoefficients<Pair>&, ChainStates<Pair>&, const Sample* const*, Sample* const*, int32_t,
                            const CallSettings&, double, uint32_t&, bool);
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
    if ((runningSections(settings) & ~settings.passingSections) == 0) {
        return runTransparent(states_, inputs, outputs, frames, settings, offset);
    }
#if QX71_WIDE_KERNELS
    switch (kind_) {
        case ChainKernelKind::avx512:
            return runWideKernel<ChainKernelKind::avx512>(coefficients_, states_, inputs, outputs, frames, settings,
                                                          offset, noiseSeed);
        case ChainKernelKind::avx2:
        case ChainKernelKind::sse2: break;
    }
#endif
    return kPartsRuns<Sample>[computingParts(computingStages(settings))](
        coefficients_, states_, inputs, outputs, frames, settings, offset, noiseSeed, kind_ == ChainKernelKind::avx2);
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
