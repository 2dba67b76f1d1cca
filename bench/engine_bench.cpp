// Engine throughput: ns per stereo frame for both callbacks at three block sizes, for the
// default settings, the full chain, and silence right after a loud signal; and the cost of
// one parameter change that redesigns a band.
#include <atomic>
#include <cmath>
#include <vector>

#include <benchmark/benchmark.h>

#include "equalizer_engine.h"
#include "kernel_choice.h"
#include "parameter_decoding.h"

using namespace dsp;  // the engine's names, unqualified in the tests

namespace {
constexpr float kDefaults[param::count] = {0.5f, 0, 0, 0.5f, 0.5f, 0, 0, 0, 0.5f, 0.5f, 0, 0, 0.5f,
                                           0.5f, 0, 0, 0,    0,    0, 0, 0, 0,    0,    0, 0, 0};

enum Setup { defaults, oneBand, fullChain, undithered };

struct Bench {
    std::atomic<float> values[param::count];
    EqualizerEngine engine{values};

    explicit Bench(Setup setup) {
        for (int i = 0; i < param::count; ++i) values[i].store(kDefaults[i]);
        engine.setNoiseSeed(1);
        if (setup == fullChain) {
            // Every section runs: low shelf type B (shelf, dip, main), mid bell, high shelf
            // type B (shelf and bump), both pass filters at 24 dB/oct, Analog.
            const std::pair<int, float> settings[] = {
                {param::lfFreq, 2 / 7.0f}, {param::lfGain, 0.7f},   {param::lfType, 1.0f},
                {param::mfFreq, 4 / 7.0f}, {param::mfGain, 0.3f},   {param::hfFreq, 5 / 7.0f},
                {param::hfGain, 0.8f},     {param::hfType, 1.0f},   {param::lowPass, 0.6f},
                {param::lowSlope, 1.0f},   {param::highPass, 0.4f}, {param::highSlope, 1.0f},
                {param::analog, 1.0f}};
            for (const auto& [index, value] : settings) values[index].store(value);
        }
        if (setup == oneBand) {
            // The mid bell; the other bands are off, as by default.
            values[param::mfFreq].store(4 / 7.0f);
            values[param::mfGain].store(0.3f);
        }
        if (setup == undithered) {
            // Only the sections that get no ±1e-15 offset (low band bell, high-pass), whose
            // states decay freely on silence.
            const std::pair<int, float> settings[] = {
                {param::muteMf, 1.0f}, {param::muteHf, 1.0f},   {param::lfMode, 1.0f},   {param::lfFreq, 1 / 7.0f},
                {param::lfGain, 1.0f}, {param::highPass, 0.2f}, {param::highSlope, 1.0f}};
            for (const auto& [index, value] : settings) values[index].store(value);
        }
        engine.updateAllSections(48000.0);
    }
};

// Out of place: the input block stays as filled, the output block is overwritten.
template <class Sample>
struct Buffers {
    std::vector<Sample> inLeft, inRight, outLeft, outRight;
    Sample* in[2];
    Sample* out[2];
    explicit Buffers(size_t frames)
        : inLeft(frames),
          inRight(frames),
          outLeft(frames),
          outRight(frames),
          in{inLeft.data(), inRight.data()},
          out{outLeft.data(), outRight.data()} {}
    void fill(bool loud) {
        for (size_t i = 0; i < inLeft.size(); ++i) {
            inLeft[i] = loud ? static_cast<Sample>(0.8 * std::sin(i * 0.031)) : Sample(0);
            inRight[i] = loud ? static_cast<Sample>(0.8 * std::sin(i * 0.017)) : Sample(0);
        }
    }
};

void process(EqualizerEngine& e, Buffers<float>& b, int32_t n) { e.processReplacing(b.in, b.out, n, false, nullptr); }
void process(EqualizerEngine& e, Buffers<double>& b, int32_t n) {
    e.processDoubleReplacing(b.in, b.out, n, false, nullptr);
}

void reportPerFrame(benchmark::State& state, int64_t framesPerIteration) {
    state.counters["ns_per_frame"] =
        benchmark::Counter(static_cast<double>(framesPerIteration) * 1e-9,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Loud: a sine pair at -2 dBFS. Silence: the chain rang with a loud second, then had a minute
// of zeros (where freely decaying states would have reached the subnormal range), and the
// measured blocks are zeros too.
enum Signal { loud, silenceAfterLoud };

template <class Sample>
void BM_Process(benchmark::State& state, Setup setup, Signal signal, ChainKernelKind kernel) {
    if (!kernelSupported(kernel)) {
        state.SkipWithError("kernel not supported by this processor");
        return;
    }
    const auto frames = static_cast<int32_t>(state.range(0));
    forceKernel(kernel);
    Bench bench(setup);
    stopForcingKernel();
    Buffers<Sample> buffers(frames);
    buffers.fill(true);
    if (signal == silenceAfterLoud) {
        for (int32_t done = 0; done < 48000; done += frames) process(bench.engine, buffers, frames);
        buffers.fill(false);
        for (int32_t done = 0; done < 60 * 48000; done += frames) process(bench.engine, buffers, frames);
    }
    for (auto _ : state) {
        process(bench.engine, buffers, frames);
        benchmark::DoNotOptimize(buffers.outLeft.data());
    }
    reportPerFrame(state, frames);
}

void BM_Float(benchmark::State& state, Setup setup, Signal signal, ChainKernelKind kernel = chosenKernel()) {
    BM_Process<float>(state, setup, signal, kernel);
}
void BM_Double(benchmark::State& state, Setup setup, Signal signal, ChainKernelKind kernel = chosenKernel()) {
    BM_Process<double>(state, setup, signal, kernel);
}

void BM_RedesignOneBand(benchmark::State& state) {
    Bench bench(fullChain);
    float gain = 0.0f;
    for (auto _ : state) {
        gain = gain > 0.9f ? 0.0f : gain + 0.01f;
        bench.values[param::mfGain].store(gain);
        bench.engine.parameterChanged(param::mfGain);
    }
}
}  // namespace

#define QX71_PROCESS_BENCH(callback, name, ...) \
    BENCHMARK_CAPTURE(callback, name, __VA_ARGS__)->Arg(64)->Arg(512)->Arg(4096)
QX71_PROCESS_BENCH(BM_Float, defaults, defaults, loud);
QX71_PROCESS_BENCH(BM_Double, defaults, defaults, loud);
QX71_PROCESS_BENCH(BM_Float, full_chain, fullChain, loud);
QX71_PROCESS_BENCH(BM_Double, full_chain, fullChain, loud);
QX71_PROCESS_BENCH(BM_Float, one_band, oneBand, loud);
// The same with each kernel forced (skipped where the processor lacks it).
QX71_PROCESS_BENCH(BM_Float, one_band_sse2, oneBand, loud, ChainKernelKind::sse2);
QX71_PROCESS_BENCH(BM_Float, one_band_avx2, oneBand, loud, ChainKernelKind::avx2);
QX71_PROCESS_BENCH(BM_Float, full_chain_sse2, fullChain, loud, ChainKernelKind::sse2);
QX71_PROCESS_BENCH(BM_Double, full_chain_sse2, fullChain, loud, ChainKernelKind::sse2);
QX71_PROCESS_BENCH(BM_Float, full_chain_avx2, fullChain, loud, ChainKernelKind::avx2);
QX71_PROCESS_BENCH(BM_Float, full_chain_silence_after_loud, fullChain, silenceAfterLoud);
QX71_PROCESS_BENCH(BM_Double, full_chain_silence_after_loud, fullChain, silenceAfterLoud);
QX71_PROCESS_BENCH(BM_Float, undithered, undithered, loud);
QX71_PROCESS_BENCH(BM_Float, undithered_silence_after_loud, undithered, silenceAfterLoud);
BENCHMARK(BM_RedesignOneBand);

BENCHMARK_MAIN();
