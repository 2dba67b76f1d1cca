// What the LV2 edition's run() costs when it designs on the audio thread: 64-frame calls with no
// control change, with one band gain changing every call, and with all 26 controls changing every
// call (between two full settings), so the worst case of a host that gives no other thread.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "lv2_equalizer.h"
#include "real_values.h"

namespace {

constexpr uint32_t kFrames = 64;

// Two settings in real units that differ in every control, every section running in the first.
constexpr float kSettingA[param::count] = {-3, 0, 8200, 10.8f, 1,  1,  0,  1600, -7.2f, 1, 0, 45, 7.2f,
                                           1,  1, 0,    10000, 45, 24, 24, 1,    0,     0, 0, 0,  0};
constexpr float kSettingB[param::count] = {3,    1, 3900, -6,    0.5f, 0,  1,  360, 6, 1.5f, 1, 110, -3,
                                           0.6f, 0, 1,    14000, 70,   12, 18, 0,   1, 1,    1, 1,   1};

struct Rig {
    Lv2Equalizer plugin{48000.0, 1};
    float controls[param::count];
    std::vector<float> in[2], out[2];

    Rig() {
        for (int i = 0; i < param::count; ++i) {
            controls[i] = kSettingA[i];
            plugin.connect(i, &controls[i]);
        }
        for (int c = 0; c < 2; ++c) {
            in[c].resize(kFrames);
            out[c].resize(kFrames);
            for (uint32_t n = 0; n < kFrames; ++n) in[c][n] = 0.8f * std::sin(0.05f * (n + 1) * (c + 1));
            plugin.connect(Lv2Equalizer::kFirstAudioInput + c, in[c].data());
            plugin.connect(Lv2Equalizer::kFirstAudioOutput + c, out[c].data());
        }
        plugin.run(kFrames);
    }
    void run() {
        plugin.run(kFrames);
        benchmark::DoNotOptimize(out[0].data());
    }
};

void BM_RunNoChange(benchmark::State& state) {
    Rig rig;
    for (auto _ : state) rig.run();
}

void BM_RunOneGainChange(benchmark::State& state) {
    Rig rig;
    bool flip = false;
    for (auto _ : state) {
        rig.controls[param::mfGain] = (flip = !flip) ? 6.0f : -6.0f;
        rig.run();
    }
}

void BM_RunAllControlsChange(benchmark::State& state) {
    Rig rig;
    bool flip = false;
    for (auto _ : state) {
        const float* setting = (flip = !flip) ? kSettingB : kSettingA;
        for (int i = 0; i < param::count; ++i) rig.controls[i] = setting[i];
        rig.run();
    }
}

}  // namespace

BENCHMARK(BM_RunNoChange);
BENCHMARK(BM_RunOneGainChange);
BENCHMARK(BM_RunAllControlsChange);
BENCHMARK_MAIN();
