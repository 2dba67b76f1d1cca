// What a listener hears from the built plug-in: filter gains measured on steady sines, the
// recovery after a bad sample, silence after a loud signal, and stability at low sample rates.
#include <cmath>
#include <limits>
#include <vector>

#include "plugin_under_test.h"

namespace conformance {
namespace {

using Doubles = qx71::host::ChannelBuffers<double>;
using Floats = qx71::host::ChannelBuffers<float>;

constexpr double kPi = 3.141592653589793;

Doubles sine(double frequency, double sampleRate, std::size_t frames, double amplitude = 0.25) {
    Doubles channels(2, std::vector<double>(frames));
    for (std::size_t i = 0; i < frames; ++i) {
        channels[0][i] = channels[1][i] = amplitude * std::sin(2.0 * kPi * frequency * i / sampleRate);
    }
    return channels;
}

// Level in dB of a steady sine through the plug-in, measured over the last quarter second.
double gainDb(qx71::host::Instance& instance, double frequency, double sampleRate) {
    const std::size_t frames = static_cast<std::size_t>(sampleRate);
    Doubles in = sine(frequency, sampleRate, frames), out(2, std::vector<double>(frames));
    EXPECT_TRUE(instance.processDoubleReplacing(in, out));
    double peakIn = 0.0, peakOut = 0.0;
    for (std::size_t i = frames * 3 / 4; i < frames; ++i) {
        peakIn = std::max(peakIn, std::fabs(in[0][i]));
        peakOut = std::max(peakOut, std::fabs(out[0][i]));
    }
    return 20.0 * std::log10(peakOut / peakIn);
}

TEST_F(PluginTest, MidBellGainAtItsCentre) {
    plugin->setSampleRate(44100.0f);
    plugin->setParameter(7, 4.0f / 7.0f);  // 1600 Hz
    plugin->setParameter(8, 0.75f);        // +9 dB
    EXPECT_NEAR(gainDb(*plugin.instance, 1600.0, 44100.0), 9.0, 0.05);
    EXPECT_NEAR(gainDb(*plugin.instance, 40.0, 44100.0), 0.0, 0.5);
}

TEST_F(PluginTest, HighPassCornerAndSlope) {
    plugin->setSampleRate(48000.0f);
    for (int index = 21; index <= 23; ++index) plugin->setParameter(index, 1.0f);  // bands muted
    plugin->setParameter(19, 1.0f / 3.0f);                                         // 12 dB/oct
    plugin->setParameter(17, 1.0f);                                                // 360 Hz
    EXPECT_NEAR(gainDb(*plugin.instance, 360.0, 48000.0), -3.0, 0.1);
    plugin->setParameter(19, 1.0f);  // 24 dB/oct: about 48 dB two octaves down
    EXPECT_NEAR(gainDb(*plugin.instance, 90.0, 48000.0), -48.0, 1.5);
}

TEST_F(PluginTest, OneBadSampleDoesNotSilenceLaterBlocks) {
    plugin->setParameter(7, 0.5f);
    plugin->setParameter(8, 0.9f);
    plugin->setParameter(17, 0.6f);
    Floats in(2, std::vector<float>(256, 0.25f)), out(2, std::vector<float>(256));
    in[0][7] = std::numeric_limits<float>::quiet_NaN();
    in[1][9] = std::numeric_limits<float>::infinity();
    ASSERT_TRUE(plugin->processReplacing(in, out));
    Floats clean(2, std::vector<float>(256, 0.25f));
    ASSERT_TRUE(plugin->processReplacing(clean, out));
    for (int c = 0; c < 2; ++c) {
        for (float v : out[c]) ASSERT_TRUE(std::isfinite(v));
    }
}

TEST_F(PluginTest, SilenceAfterALoudSignalEndsInExactZeros) {
    // Low band and high-pass only: the sections that get no offset.
    for (int index : {21, 22}) plugin->setParameter(index, 1.0f);
    plugin->setParameter(15, 1.0f);
    plugin->setParameter(12, 1.0f);
    plugin->setParameter(11, 3.0f / 7.0f);
    plugin->setParameter(17, 0.6f);
    Doubles loud = sine(100.0, 44100.0, 4096, 0.9), out(2, std::vector<double>(4096));
    ASSERT_TRUE(plugin->processDoubleReplacing(loud, out));
    Doubles silence(2, std::vector<double>(4096, 0.0));
    for (int block = 0; block < 600; ++block) ASSERT_TRUE(plugin->processDoubleReplacing(silence, out));
    for (int c = 0; c < 2; ++c) {
        for (double v : out[c]) ASSERT_EQ(v, 0.0);
    }
}

TEST_F(PluginTest, EverySectionStaysStableAtLowSampleRates) {
    for (float rate : {8000.0f, 22050.0f, 32000.0f}) {
        LoadedPlugin fresh;
        ASSERT_TRUE(fresh.instance);
        fresh->setSampleRate(rate);
        const std::pair<int, float> settings[] = {{2, 1.0f},  {3, 1.0f},  {4, 1.0f},  {6, 1.0f},  {7, 1.0f},
                                                  {8, 0.0f},  {11, 1.0f}, {12, 1.0f}, {14, 1.0f}, {16, 0.2f},
                                                  {18, 1.0f}, {17, 1.0f}, {19, 1.0f}, {20, 1.0f}};
        for (const auto& [index, value] : settings) fresh->setParameter(index, value);
        Doubles in = sine(1000.0, rate, 8192, 0.5), out(2, std::vector<double>(8192));
        ASSERT_TRUE(fresh->processDoubleReplacing(in, out));
        for (double v : out[0]) ASSERT_TRUE(std::isfinite(v) && std::fabs(v) < 100.0) << rate;
    }
}

}  // namespace
}  // namespace conformance
