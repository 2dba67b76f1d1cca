// The harness must host plug-ins it was not written with: a Debian-packaged VST 2.4 equalizer.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <cmath>

#include "plugin_instance.h"

using namespace qx71::host;

namespace {

constexpr const char* kThirdPartyPlugin = "/usr/lib/vst/lsp-plugins/para-equalizer-x16-stereo.so";

double rms(const std::vector<float>& samples) {
    double sum = 0.0;
    for (float s : samples) sum += static_cast<double>(s) * s;
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

}  // namespace

TEST(ThirdPartyPluginTest, LoadsAndProcessesAnLspEqualizer) {
    struct stat info {};
    if (stat(kThirdPartyPlugin, &info) != 0) {
        GTEST_SKIP() << kThirdPartyPlugin << " is absent: install the Debian package lsp-plugins-vst";
    }
    std::string error;
    std::shared_ptr<PluginLibrary> library = PluginLibrary::open(kThirdPartyPlugin, error);
    ASSERT_TRUE(library) << error;
    HostRecorder host;
    std::unique_ptr<Instance> instance = Instance::create(library, host, error);
    ASSERT_TRUE(instance) << error;

    AEffect* effect = instance->effect();
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_GT(effect->numParams, 100);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_NE(instance->effectName().find("Equalizer"), std::string::npos) << instance->effectName();
    ASSERT_FALSE(host.calls().empty());
    EXPECT_EQ(host.calls()[0].opcode, audioMasterVersion);
    EXPECT_EQ(host.calls()[0].effect, nullptr);

    instance->open();
    instance->setSampleRate(48000.0f);
    instance->setBlockSize(512);
    instance->mainsChanged(true);
    // With its default settings the equalizer is flat: a sine keeps its level once settled.
    ChannelBuffers<float> in(2, std::vector<float>(512));
    ChannelBuffers<float> out(2, std::vector<float>(512));
    for (int block = 0; block < 40; ++block) {
        for (int i = 0; i < 512; ++i) {
            const float s = 0.5f * static_cast<float>(std::sin(2.0 * M_PI * 1000.0 * (block * 512 + i) / 48000.0));
            in[0][i] = in[1][i] = s;
        }
        ASSERT_TRUE(instance->processReplacing(in, out));
    }
    for (int channel = 0; channel < 2; ++channel) {
        EXPECT_NEAR(20.0 * std::log10(rms(out[channel]) / rms(in[channel])), 0.0, 0.1);
    }
    instance->mainsChanged(false);
    EXPECT_GT(instance->getChunk(false).size(), 0u);
}
