// Every dispatcher opcode's answer, and the opcodes that must not touch what the host hands in.
#include <cstring>
#include <vector>

#include "plugin_under_test.h"

namespace conformance {
namespace {

struct Probe {
    VstInt32 opcode;
    VstIntPtr value;
    VstIntPtr expected;
};

// Opcodes whose answer is fixed and which write nothing through ptr.
const Probe kFixedAnswers[] = {
    {effOpen, 0, 0},
    {effGetProgram, 0, 0},
    {effSetProgramName, 0, 0},
    {effGetVu, 0, 0},
    {effSetBlockSize, 512, 0},
    {effMainsChanged, 1, 0},
    {effMainsChanged, 0, 0},
    {effEditClose, 0, 0},
    {effEditDraw, 0, 0},
    {effEditMouse, 0, 0},
    {effEditKey, 0, 0},
    {effEditIdle, 0, 0},
    {effEditTop, 0, 0},
    {effEditSleep, 0, 0},
    {effIdentify, 0, 0x4E764566},
    {effProcessEvents, 0, 0},
    {effCanBeAutomated, 0, 1},
    {effString2Parameter, 0, 0},
    {effGetNumProgramCategories, 0, 0},
    {effGetProgramNameIndexed, 0, 0},
    {effCopyProgram, 0, 0},
    {effConnectInput, 0, 0},
    {effConnectOutput, 0, 0},
    {effGetInputProperties, 0, 0},
    {effGetOutputProperties, 0, 0},
    {effGetPlugCategory, 0, 1},
    {effGetCurrentPosition, 0, 0},
    {effGetDestinationBuffer, 0, 0},
    {effOfflineNotify, 0, 0},
    {effOfflinePrepare, 0, 0},
    {effOfflineRun, 0, 0},
    {effProcessVarIo, 0, 0},
    {effSetBlockSizeAndSampleRate, 0, 0},
    {effSetBypass, 1, 0},
    {effGetErrorText, 0, 0},
    {effGetVendorVersion, 0, 1210},
    {effVendorSpecific, 0, 0},
    {effGetTailSize, 0, 0},
    {effIdle, 0, 0},
    {effGetIcon, 0, 0},
    {effSetViewPosition, 0, 0},
    {effGetParameterProperties, 0, 0},
    {effKeysRequired, 0, 0},
    {effGetVstVersion, 0, 2400},
    {effGetMidiProgramName, 0, 0},
    {effGetCurrentMidiProgram, 0, -1},
    {effGetMidiProgramCategory, 0, 0},
    {effHasMidiProgramsChanged, 0, 0},
    {effGetMidiKeyName, 0, 0},
    {effBeginSetProgram, 0, 0},
    {effEndSetProgram, 0, 0},
    {effShellGetNextPlugin, 0, 0},
    {effStartProcess, 0, 0},
    {effStopProcess, 0, 0},
    {effSetTotalSampleToProcess, 123456, 123456},
    {effSetPanLaw, 0, 0},
    {effBeginLoadBank, 0, 0},
    {effBeginLoadProgram, 0, 0},
    {effSetProcessPrecision, 1, 0},
    {effGetNumMidiInputChannels, 0, 0},
    {effGetNumMidiOutputChannels, 0, 0},
    {-1, 0, 0},
    {80, 0, 0},
    {1000, 0, 0},
};

TEST_F(PluginTest, FixedAnswersWriteNothingThroughPtr) {
    for (const Probe& probe : kFixedAnswers) {
        unsigned char buffer[1024];
        std::memset(buffer, 0x3C, sizeof(buffer));
        EXPECT_EQ(plugin->dispatch(probe.opcode, 0, probe.value, buffer), probe.expected) << "opcode " << probe.opcode;
        for (unsigned char byte : buffer) {
            if (byte != 0x3C) {
                ADD_FAILURE() << "opcode " << probe.opcode << " wrote into the host's buffer";
                break;
            }
        }
    }
}

TEST_F(PluginTest, EditorOpcodesMatchTheEdition) {
    ERect* rect = nullptr;
    const VstIntPtr hasRect = plugin->dispatch(effEditGetRect, 0, 0, &rect);
    EXPECT_EQ(plugin->dispatch(effEditGetRect, 0, 0, nullptr), 0) << "null rectangle pointer";
    if (!kExpectEditor) {
        EXPECT_EQ(hasRect, 0);
        EXPECT_EQ(rect, nullptr);
        EXPECT_EQ(plugin->dispatch(effEditOpen, 0, 0, nullptr), 0);
        EXPECT_EQ(plugin->dispatch(effEditKeyDown, 'a', 0, nullptr), 0);
        EXPECT_EQ(plugin->dispatch(effEditKeyUp, 'a', 0, nullptr), 0);
        EXPECT_EQ(plugin->dispatch(effSetEditKnobMode, 0, 2, nullptr), 0);
    } else {
        ASSERT_EQ(hasRect, 1);
        ASSERT_NE(rect, nullptr);
        EXPECT_EQ(rect->top, 0);
        EXPECT_EQ(rect->left, 0);
        EXPECT_EQ(rect->bottom, 660);
        EXPECT_EQ(rect->right, 290);
        EXPECT_EQ(plugin->dispatch(effSetEditKnobMode, 0, 2, nullptr), 1);
    }
}

TEST_F(PluginTest, ProgramsStayAtTheSingleDefaultProgram) {
    EXPECT_EQ(plugin->dispatch(effSetProgram, 0, 0, nullptr), 0);
    EXPECT_EQ(plugin->dispatch(effSetProgram, 0, -1, nullptr), 0);
    EXPECT_EQ(plugin->dispatch(effGetProgram), 0);
    char name[32] = "Something else";
    EXPECT_EQ(plugin->dispatch(effSetProgramName, 0, 0, name), 0);
    EXPECT_EQ(plugin->programName(), "Default");
    EXPECT_EQ(plugin->dispatch(effGetProgramName, 0, 0, nullptr), 0);
    EXPECT_EQ(plugin->dispatch(effGetProgramNameIndexed, 0, 0, nullptr), 0);
}

TEST_F(PluginTest, SpeakerArrangementRules) {
    EXPECT_EQ(plugin->setSpeakerArrangement(1, 1), 1);
    EXPECT_EQ(plugin->setSpeakerArrangement(2, 2), 1);
    EXPECT_EQ(plugin->setSpeakerArrangement(1, 2), 0);
    EXPECT_EQ(plugin->setSpeakerArrangement(6, 6), 0);
    EXPECT_EQ(plugin->setSpeakerArrangement(0, 0), 0);
    VstSpeakerArrangement arrangement{};
    arrangement.numChannels = 1;
    EXPECT_EQ(plugin->dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&arrangement), nullptr), 0);
    EXPECT_EQ(plugin->dispatch(effSetSpeakerArrangement, 0, 0, &arrangement), 0);
    // The record keeps its two inputs and outputs whatever was answered.
    EXPECT_EQ(plugin.effect()->numInputs, 2);
    EXPECT_EQ(plugin.effect()->numOutputs, 2);
}

TEST_F(PluginTest, GetSpeakerArrangementAnswersNoArrangement) {
    VstSpeakerArrangement dummy{};
    VstSpeakerArrangement* input = &dummy;
    VstSpeakerArrangement* output = &dummy;
    EXPECT_EQ(plugin->dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), &output), 0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
    EXPECT_EQ(plugin->dispatch(effGetSpeakerArrangement, 0, 0, nullptr), 0);
}

TEST_F(PluginTest, SampleRateAndBlockSizeAreAccepted) {
    EXPECT_EQ(plugin->dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f), 0);
    EXPECT_EQ(plugin->dispatch(effSetBlockSize, 0, 64, nullptr), 0);
    EXPECT_EQ(plugin->dispatch(effSetSampleRate, 0, 0, nullptr, 0.0f), 0) << "an unusable rate is ignored";
}

TEST(PluginLifecycle, HostAnsweringVersionZeroGetsNoInstance) {
    qx71::host::HostRecorder host;
    host.setVersionAnswer(0);
    std::string error;
    auto library = pluginLibrary();
    ASSERT_TRUE(library);
    auto instance = qx71::host::Instance::create(library, host, error);
    EXPECT_EQ(instance, nullptr);
    ASSERT_GE(host.count(audioMasterVersion), 1u);
    EXPECT_EQ(host.calls().front().effect, nullptr) << "the version question comes before any effect exists";
}

TEST(PluginLifecycle, CloseAnswersOneAndManyInstancesStayIndependent) {
    std::vector<std::unique_ptr<LoadedPlugin>> plugins;
    // Small blocks between the instances put them at every heap offset: each must still process
    // (the engine holds 16-byte SSE2 values, which a heap that aligns to 8 must not misplace).
    std::vector<std::unique_ptr<char[]>> spacers;
    for (int i = 0; i < 24; ++i) {
        spacers.push_back(std::make_unique<char[]>(1 + i % 4 * 4));
        plugins.push_back(std::make_unique<LoadedPlugin>());
        ASSERT_TRUE(plugins.back()->instance);
        plugins.back()->instance->setParameter(3, static_cast<float>(i) / 32.0f);
    }
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(plugins[i]->instance->getParameter(3), static_cast<float>(i) / 32.0f);
        for (int j = i + 1; j < 24; ++j) EXPECT_NE(plugins[i]->effect(), plugins[j]->effect());
        auto in = qx71::host::ChannelBuffers<float>(2, std::vector<float>(64, 0.5f));
        auto out = qx71::host::ChannelBuffers<float>(2, std::vector<float>(64));
        EXPECT_TRUE(plugins[i]->instance->processReplacing(in, out));
    }
    for (auto& loaded : plugins) EXPECT_EQ(loaded->instance->close(), 1);
}

}  // namespace
}  // namespace conformance
