// Audio through the built plug-in, through both callbacks, out of place and in place.
#include <cmath>
#include <cstring>
#include <vector>

#include "plugin_under_test.h"

namespace conformance {
namespace {

template <typename Sample>
qx71::host::ChannelBuffers<Sample> testSignal(std::size_t frames) {
    qx71::host::ChannelBuffers<Sample> channels(2, std::vector<Sample>(frames));
    for (std::size_t i = 0; i < frames; ++i) {
        channels[0][i] = static_cast<Sample>(0.5 * std::sin(0.031 * static_cast<double>(i)));
        channels[1][i] = static_cast<Sample>(0.25 * std::cos(0.017 * static_cast<double>(i)) - 0.1);
    }
    return channels;
}

void muteEverything(qx71::host::Instance& instance) {
    for (int index = 21; index <= 25; ++index) instance.setParameter(index, 1.0f);
}

TEST_F(PluginTest, DefaultsAreTransparentApartFromTheTinyOffset) {
    auto in = testSignal<double>(512);
    auto out = qx71::host::ChannelBuffers<double>(2, std::vector<double>(512));
    plugin->setSampleRate(44100.0f);
    ASSERT_TRUE(plugin->processDoubleReplacing(in, out));
    for (int c = 0; c < 2; ++c) {
        for (std::size_t i = 0; i < 512; ++i) EXPECT_NEAR(out[c][i], in[c][i], 4e-15) << c << ":" << i;
    }
}

TEST_F(PluginTest, MutedSinglePrecisionPassThroughIsBitExact) {
    muteEverything(*plugin.instance);
    auto in = testSignal<float>(1024);
    in[0][3] = 1e-42f;  // a subnormal passes unchanged too
    in[1][5] = -0.0f;
    auto out = qx71::host::ChannelBuffers<float>(2, std::vector<float>(1024, 7.0f));
    ASSERT_TRUE(plugin->processReplacing(in, out));
    for (int c = 0; c < 2; ++c) EXPECT_EQ(std::memcmp(in[c].data(), out[c].data(), 1024 * sizeof(float)), 0);
}

TEST_F(PluginTest, OutputGainAtBothEndsAndInTheMiddle) {
    muteEverything(*plugin.instance);
    const struct {
        float output;
        double gain;
    } cases[] = {{0.0f, 0.056234132519034911}, {0.5f, 1.0}, {1.0f, 17.782794100389228}};
    for (const auto& test : cases) {
        plugin->setParameter(0, test.output);
        auto in = testSignal<double>(64);
        auto out = qx71::host::ChannelBuffers<double>(2, std::vector<double>(64));
        ASSERT_TRUE(plugin->processDoubleReplacing(in, out));
        for (int c = 0; c < 2; ++c) {
            for (std::size_t i = 0; i < 64; ++i) {
                EXPECT_NEAR(out[c][i], in[c][i] * test.gain, 1e-12) << "output " << test.output;
            }
        }
    }
}

TEST_F(PluginTest, PolarityInvertsOnlyAboveOneHalf) {
    muteEverything(*plugin.instance);
    for (float phase : {0.5f, 0.5000001f}) {
        plugin->setParameter(1, phase);
        auto in = testSignal<float>(64);
        auto out = qx71::host::ChannelBuffers<float>(2, std::vector<float>(64));
        ASSERT_TRUE(plugin->processReplacing(in, out));
        const float sign = phase > 0.5f ? -1.0f : 1.0f;
        for (int c = 0; c < 2; ++c) {
            for (std::size_t i = 0; i < 64; ++i) EXPECT_EQ(out[c][i], sign * in[c][i]);
        }
    }
}

TEST_F(PluginTest, MonoArrangementCopiesTheLeftResultToBothOutputs) {
    ASSERT_EQ(plugin->setSpeakerArrangement(1, 1), 1);
    plugin->setParameter(7, 3.0f / 7.0f);  // a mid bell, so the copy is of a processed signal
    plugin->setParameter(8, 0.9f);
    auto in = testSignal<double>(256);
    auto out = qx71::host::ChannelBuffers<double>(2, std::vector<double>(256));
    ASSERT_TRUE(plugin->processDoubleReplacing(in, out));
    EXPECT_EQ(out[0], out[1]);
    EXPECT_GT(std::fabs(out[0][100] - in[0][100]), 1e-6) << "the bell changed the signal";

    ASSERT_EQ(plugin->setSpeakerArrangement(2, 2), 1);
    ASSERT_TRUE(plugin->processDoubleReplacing(in, out));
    EXPECT_NE(out[0], out[1]);
}

// In place (inputs and outputs the same buffers) gives the same result as out of place.
template <typename Sample, typename Callback>
void expectInPlaceMatches(Callback callback) {
    LoadedPlugin outOfPlace, inPlace;
    ASSERT_TRUE(outOfPlace.instance && inPlace.instance);
    for (auto* loaded : {&outOfPlace, &inPlace}) {
        (*loaded)->setSampleRate(48000.0f);
        (*loaded)->setParameter(2, 5.0f / 7.0f);
        (*loaded)->setParameter(3, 0.8f);
        (*loaded)->setParameter(17, 0.4f);
        (*loaded)->setParameter(19, 1.0f);
        (*loaded)->setParameter(11, 2.0f / 7.0f);
    }
    auto in = testSignal<Sample>(777);
    auto out = qx71::host::ChannelBuffers<Sample>(2, std::vector<Sample>(777));
    std::vector<Sample*> inputs{in[0].data(), in[1].data()}, outputs{out[0].data(), out[1].data()};
    callback(outOfPlace.effect(), inputs.data(), outputs.data(), 777);
    auto shared = testSignal<Sample>(777);
    std::vector<Sample*> both{shared[0].data(), shared[1].data()};
    callback(inPlace.effect(), both.data(), both.data(), 777);
    EXPECT_EQ(shared, out);
}

TEST(PluginAudio, InPlaceSinglePrecisionMatchesOutOfPlace) {
    expectInPlaceMatches<float>([](AEffect* e, float** i, float** o, VstInt32 n) { e->processReplacing(e, i, o, n); });
}

TEST(PluginAudio, InPlaceDoublePrecisionMatchesOutOfPlace) {
    expectInPlaceMatches<double>(
        [](AEffect* e, double** i, double** o, VstInt32 n) { e->processDoubleReplacing(e, i, o, n); });
}

TEST_F(PluginTest, BothPrecisionsAgree) {
    LoadedPlugin other;
    ASSERT_TRUE(other.instance);
    for (auto* instance : {plugin.instance.get(), other.instance.get()}) {
        instance->setParameter(7, 4.0f / 7.0f);
        instance->setParameter(8, 0.2f);
        instance->setParameter(16, 0.6f);
        instance->setParameter(18, 2.0f / 3.0f);
    }
    auto inFloat = testSignal<float>(300);
    auto outFloat = qx71::host::ChannelBuffers<float>(2, std::vector<float>(300));
    qx71::host::ChannelBuffers<double> inDouble(2), outDouble(2, std::vector<double>(300));
    for (int c = 0; c < 2; ++c) inDouble[c].assign(inFloat[c].begin(), inFloat[c].end());
    ASSERT_TRUE(plugin->processReplacing(inFloat, outFloat));
    ASSERT_TRUE(other->processDoubleReplacing(inDouble, outDouble));
    for (int c = 0; c < 2; ++c) {
        for (std::size_t i = 0; i < 300; ++i) EXPECT_EQ(outFloat[c][i], static_cast<float>(outDouble[c][i]));
    }
}

TEST_F(PluginTest, ZeroAndNegativeFrameCountsWriteNothing) {
    float left = 1.0f, right = 2.0f, outLeft = 5.0f, outRight = 6.0f;
    float* inputs[] = {&left, &right};
    float* outputs[] = {&outLeft, &outRight};
    plugin.effect()->processReplacing(plugin.effect(), inputs, outputs, 0);
    plugin.effect()->processReplacing(plugin.effect(), inputs, outputs, -5);
    EXPECT_EQ(outLeft, 5.0f);
    EXPECT_EQ(outRight, 6.0f);
}

}  // namespace
}  // namespace conformance
