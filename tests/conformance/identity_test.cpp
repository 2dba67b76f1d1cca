// What a host learns of the plug-in when it loads it: the record, the identity texts and the
// capability answers.
#include <cstring>

#include "plugin_under_test.h"

namespace conformance {
namespace {

TEST_F(PluginTest, RecordCarriesTheDeclaredIdentity) {
    const AEffect* effect = plugin.effect();
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->uniqueID, fourCharCode('Q', 'X', '7', '1'));
    EXPECT_EQ(effect->version, 1);
    EXPECT_EQ(effect->numPrograms, 0);
    EXPECT_EQ(effect->numParams, 26);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(effect->flags, kExpectEditor ? 0x1031 : 0x1030);
    EXPECT_EQ(effect->initialDelay, 0);
    EXPECT_EQ(effect->realQualities, 0);
    EXPECT_EQ(effect->offQualities, 0);
    EXPECT_EQ(effect->ioRatio, 1.0f);
    EXPECT_EQ(effect->resvd1, 0);
    EXPECT_EQ(effect->resvd2, 0);
    EXPECT_NE(effect->object, nullptr);
    EXPECT_NE(effect->process, nullptr);
    EXPECT_NE(effect->processReplacing, nullptr);
    EXPECT_NE(effect->processDoubleReplacing, nullptr);
    const char zeros[sizeof(effect->future)] = {};
    EXPECT_EQ(std::memcmp(effect->future, zeros, sizeof(zeros)), 0);
}

TEST_F(PluginTest, IdentityTextsAndNumbers) {
    const std::string name = kExpectEditor ? "QX71-G Channel EQ" : "QX71 Channel EQ";
    EXPECT_EQ(plugin->effectName(), name);
    EXPECT_EQ(plugin->productString(), name);
    EXPECT_EQ(plugin->vendorString(), "Quorvane");
    EXPECT_EQ(plugin->vendorVersion(), 1210);
    EXPECT_EQ(plugin->vstVersion(), 2400);
    EXPECT_EQ(plugin->plugCategory(), kPlugCategEffect);
    EXPECT_EQ(plugin->dispatch(effGetEffectName, 0, 0, nullptr), 0) << "a null buffer gets no text";
}

TEST_F(PluginTest, CanDoAnswersNoToEverything) {
    EXPECT_EQ(plugin->canDo("receiveVstMidiEvent"), -1);
    EXPECT_EQ(plugin->canDo("sendVstMidiEvent"), -1);
    EXPECT_EQ(plugin->canDo(""), -1);
    EXPECT_EQ(plugin->dispatch(effCanDo, 0, 0, nullptr), 0);
}

// Writes a text answer into a poisoned buffer; returns the text and checks the bytes written.
std::string textAnswer(qx71::host::Instance& instance, VstInt32 opcode, VstInt32 index, int limit,
                       VstIntPtr expectedAnswer) {
    unsigned char buffer[256];
    std::memset(buffer, 0xA5, sizeof(buffer));
    EXPECT_EQ(instance.dispatch(opcode, index, 0, buffer), expectedAnswer) << "opcode " << opcode;
    const std::string text(reinterpret_cast<char*>(buffer), strnlen(reinterpret_cast<char*>(buffer), limit + 1));
    for (int i = static_cast<int>(text.size()); i <= limit; ++i) {
        EXPECT_EQ(buffer[i], 0) << "opcode " << opcode << ": byte " << i << " should be zero";
    }
    for (int i = limit + 1; i < static_cast<int>(sizeof(buffer)); ++i) {
        EXPECT_EQ(buffer[i], 0xA5) << "opcode " << opcode << ": byte " << i << " beyond the terminator written";
    }
    return text;
}

TEST_F(PluginTest, TextAnswersKeepTheirLimitsAndLeaveTheRestOfTheBufferAlone) {
    auto& instance = *plugin.instance;
    EXPECT_EQ(textAnswer(instance, effGetEffectName, 0, 32, 1),
              kExpectEditor ? "QX71-G Channel EQ" : "QX71 Channel EQ");
    EXPECT_EQ(textAnswer(instance, effGetVendorString, 0, 64, 1), "Quorvane");
    EXPECT_EQ(textAnswer(instance, effGetProductString, 0, 64, 1),
              kExpectEditor ? "QX71-G Channel EQ" : "QX71 Channel EQ");
    EXPECT_EQ(textAnswer(instance, effGetProgramName, 0, 24, 0), "Default");
    EXPECT_EQ(textAnswer(instance, effGetParamName, 24, 8, 0), "Mute LPF");
    EXPECT_EQ(textAnswer(instance, effGetParamLabel, 18, 8, 0), "dB/o");
    EXPECT_EQ(textAnswer(instance, effGetParamDisplay, 0, 8, 0), "0.500000");
}

}  // namespace
}  // namespace conformance
