// The generated inputs of qx71-render.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "test_signal.h"

using namespace qx71::render;

namespace {

// Zero crossings per second over [first, last) frames.
double crossingRate(const std::vector<double>& samples, std::size_t first, std::size_t last, int sampleRate) {
    int crossings = 0;
    for (std::size_t i = first + 1; i < last; ++i) {
        crossings += (samples[i - 1] < 0.0) != (samples[i] < 0.0) ? 1 : 0;
    }
    return crossings * static_cast<double>(sampleRate) / static_cast<double>(last - first);
}

}  // namespace

TEST(TestSignalTest, ImpulseIsOneFollowedBySilence) {
    const std::vector<double> impulse = generateSignal(SignalKind::Impulse, 100, 44100);
    ASSERT_EQ(impulse.size(), 100u);
    EXPECT_EQ(impulse[0], 1.0);
    EXPECT_TRUE(std::all_of(impulse.begin() + 1, impulse.end(), [](double s) { return s == 0.0; }));
    EXPECT_TRUE(generateSignal(SignalKind::Impulse, 0, 44100).empty());
}

TEST(TestSignalTest, NoiseIsRepeatableBoundedAndCentred) {
    const std::vector<double> noise = generateSignal(SignalKind::Noise, 48000, 48000);
    EXPECT_EQ(noise, generateSignal(SignalKind::Noise, 48000, 48000));
    const auto [low, high] = std::minmax_element(noise.begin(), noise.end());
    EXPECT_GE(*low, -0.5);
    EXPECT_LE(*high, 0.5);
    EXPECT_LT(*low, -0.49);
    EXPECT_GT(*high, 0.49);
    EXPECT_NEAR(std::accumulate(noise.begin(), noise.end(), 0.0) / noise.size(), 0.0, 0.01);
}

TEST(TestSignalTest, SweepRisesFromLowToHighFrequencies) {
    const int rate = 44100;
    const std::vector<double> sweep = generateSignal(SignalKind::Sweep, 2 * rate, rate);
    const auto [low, high] = std::minmax_element(sweep.begin(), sweep.end());
    EXPECT_NEAR(*high, 0.5, 1e-3);
    EXPECT_NEAR(*low, -0.5, 1e-3);
    // Two crossings per cycle: about 20 Hz at the start, close to 20 kHz at the end.
    EXPECT_NEAR(crossingRate(sweep, 0, rate / 10, rate) / 2.0, 28.0, 10.0);
    EXPECT_NEAR(crossingRate(sweep, sweep.size() - rate / 100, sweep.size(), rate) / 2.0, 19700.0, 600.0);
    // At a low rate the sweep stops below the Nyquist frequency.
    const std::vector<double> slow = generateSignal(SignalKind::Sweep, 8000, 8000);
    EXPECT_LT(crossingRate(slow, slow.size() - 400, slow.size(), 8000) / 2.0, 3600.0 * 1.02);
}
