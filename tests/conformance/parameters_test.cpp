// The 26 parameters as a host sees them: names, labels, defaults, display texts, clamping.
#include <cmath>
#include <cstring>
#include <limits>

#include "plugin_under_test.h"

namespace conformance {
namespace {

struct Expected {
    const char* name;
    const char* label;
    float defaultValue;
};

const Expected kParameters[26] = {
    {"Output", "dB", 0.5f},  {"Phase", "n/y", 0},    {"HF Freq", "Hz", 0},    {"HF Gain", "dB", 0.5f},
    {"HF BW", "oct", 0.5f},  {"HF Type", "typ", 0},  {"HF Mode", "n/y", 0},   {"MF Freq", "Hz", 0},
    {"MF Gain", "dB", 0.5f}, {"MF BW", "oct", 0.5f}, {"MF Type", "typ", 0},   {"LF Freq", "Hz", 0},
    {"LF Gain", "dB", 0.5f}, {"LF BW", "oct", 0.5f}, {"LF Type", "typ", 0},   {"LF Mode", "n/y", 0},
    {"Lo-Pass", "Hz", 0},    {"Hi-Pass", "Hz", 0},   {"Lo Slope", "dB/o", 0}, {"Hi Slope", "dB/o", 0},
    {"Analog", "n/y", 0},    {"Mute HF", "n/y", 0},  {"Mute MF", "n/y", 0},   {"Mute LF", "n/y", 0},
    {"Mute LPF", "n/y", 0},  {"Mute HPF", "n/y", 0},
};

TEST_F(PluginTest, NamesLabelsAndDefaults) {
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(plugin->paramName(i), kParameters[i].name) << "index " << i;
        EXPECT_EQ(plugin->paramLabel(i), kParameters[i].label) << "index " << i;
        EXPECT_EQ(plugin->getParameter(i), kParameters[i].defaultValue) << "index " << i;
        EXPECT_EQ(plugin->dispatch(effCanBeAutomated, i), 1);
    }
}

TEST_F(PluginTest, DisplayTextsAreTheTruncatedNormalizedValue) {
    EXPECT_EQ(plugin->paramDisplay(0), "0.500000");
    plugin->setParameter(0, 1.0f);
    EXPECT_EQ(plugin->paramDisplay(0), "1.000000");
    plugin->setParameter(0, 0.25f);
    EXPECT_EQ(plugin->paramDisplay(0), "0.250000");
    plugin->setParameter(0, 0.7f);
    EXPECT_EQ(plugin->paramDisplay(0), "0.699999");
    plugin->setParameter(2, 0.0f);
    EXPECT_EQ(plugin->paramDisplay(2), "0.000000");
}

TEST_F(PluginTest, ValuesAreClampedAndReadBackBitForBit) {
    plugin->setParameter(3, 1.7f);
    EXPECT_EQ(plugin->getParameter(3), 1.0f);
    plugin->setParameter(3, -3.0f);
    EXPECT_EQ(plugin->getParameter(3), 0.0f);
    plugin->setParameter(8, std::numeric_limits<float>::infinity());
    EXPECT_EQ(plugin->getParameter(8), 1.0f);
    for (float value : {0.0f, 1e-30f, 0.1f, 1.0f / 3.0f, 0.99999994f, 1.0f}) {
        plugin->setParameter(9, value);
        const float back = plugin->getParameter(9);
        EXPECT_EQ(std::memcmp(&back, &value, sizeof(value)), 0) << value;
    }
}

TEST_F(PluginTest, NaNNeverReachesTheStore) {
    plugin->setParameter(12, 0.75f);
    plugin->setParameter(12, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(plugin->getParameter(12), 0.75f);
}

TEST_F(PluginTest, InvalidIndicesChangeNothingAndLeaveBuffersAlone) {
    plugin->setParameter(-1, 0.9f);
    plugin->setParameter(26, 0.9f);
    EXPECT_EQ(plugin->getParameter(26), 0.0f);
    EXPECT_EQ(plugin->getParameter(-1), 0.0f);
    for (int i = 0; i < 26; ++i) EXPECT_EQ(plugin->getParameter(i), kParameters[i].defaultValue);
    for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
        char buffer[16];
        std::memset(buffer, 0x77, sizeof(buffer));
        plugin->dispatch(opcode, 26, 0, buffer);
        plugin->dispatch(opcode, -1, 0, buffer);
        for (char byte : buffer) EXPECT_EQ(byte, 0x77) << "opcode " << opcode;
        EXPECT_EQ(plugin->dispatch(opcode, 0, 0, nullptr), 0) << "null text buffer";
    }
    EXPECT_TRUE(plugin.host.automations().empty());
}

}  // namespace
}  // namespace conformance
