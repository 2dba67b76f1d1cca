// The host harness against the fixture plug-ins: loading and its errors, the typed dispatcher
// calls, and the recording host callback.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "plugin_instance.h"

using namespace qx71::host;

namespace {

std::shared_ptr<PluginLibrary> openLibrary(const char* path) {
    std::string error;
    std::shared_ptr<PluginLibrary> library = PluginLibrary::open(path, error);
    EXPECT_TRUE(library) << error;
    return library;
}

struct GainFixture : ::testing::Test {
    std::shared_ptr<PluginLibrary> library = openLibrary(FIXTURE_GAIN);
    HostRecorder host;
    std::string error;
    std::unique_ptr<Instance> instance = Instance::create(library, host, error);

    int liveInstances() const {
        using Counter = int (*)();
        std::string ignored;
        // A second handle on the same file shares the already loaded module and its counter.
        auto again = DynamicLibrary::open(FIXTURE_GAIN, ignored);
        return reinterpret_cast<Counter>(again->symbol("fixtureLiveInstances"))();
    }
};

}  // namespace

TEST(PluginLibraryTest, ReportsWhyABinaryCannotBeUsed) {
    std::string error;
    EXPECT_FALSE(PluginLibrary::open(FIXTURE_DIR "/no-such-plugin.so", error));
    EXPECT_NE(error.find("not found"), std::string::npos) << error;

    EXPECT_FALSE(PluginLibrary::open(NOT_A_LIBRARY, error));
    EXPECT_NE(error.find("is not a loadable library"), std::string::npos) << error;

    EXPECT_FALSE(PluginLibrary::open(FIXTURE_NO_ENTRY, error));
    EXPECT_NE(error.find("exports neither VSTPluginMain nor main"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
}

TEST(PluginLibraryTest, FindsTheEntryUnderEitherName) {
    EXPECT_EQ(openLibrary(FIXTURE_GAIN)->entryName(), "VSTPluginMain");
    std::shared_ptr<PluginLibrary> mainOnly = openLibrary(FIXTURE_GAIN_MAIN_ONLY);
    EXPECT_EQ(mainOnly->entryName(), "main");
    HostRecorder host;
    std::string error;
    EXPECT_TRUE(Instance::create(mainOnly, host, error)) << error;
}

TEST(InstanceTest, RejectsARefusedLoadAndUnusableRecords) {
    HostRecorder host;
    std::string error;
    EXPECT_FALSE(Instance::create(openLibrary(FIXTURE_REFUSES), host, error));
    EXPECT_NE(error.find("plug-in refused to load"), std::string::npos) << error;

    EXPECT_FALSE(Instance::create(openLibrary(FIXTURE_BAD_MAGIC), host, error));
    EXPECT_NE(error.find("is not a VST 2.4 plug-in"), std::string::npos) << error;
    EXPECT_NE(error.find("0x00000000"), std::string::npos) << error;

    EXPECT_FALSE(Instance::create(openLibrary(FIXTURE_NO_DISPATCHER), host, error));
    EXPECT_NE(error.find("no dispatcher"), std::string::npos) << error;
}

TEST(InstanceTest, VersionAnswerDecidesWhetherThePlugInLoads) {
    auto library = openLibrary(FIXTURE_GAIN);
    HostRecorder host;
    host.setVersionAnswer(0);
    std::string error;
    EXPECT_FALSE(Instance::create(library, host, error));
    EXPECT_NE(error.find("refused"), std::string::npos);
    ASSERT_EQ(host.calls().size(), 1u);
    EXPECT_EQ(host.calls()[0].opcode, audioMasterVersion);
    EXPECT_EQ(host.calls()[0].effect, nullptr);

    host.setVersionAnswer(2400);
    EXPECT_TRUE(Instance::create(library, host, error));
}

TEST_F(GainFixture, TypedCallsReachTheDispatcher) {
    ASSERT_TRUE(instance) << error;
    EXPECT_EQ(instance->effect()->magic, kEffectMagic);
    EXPECT_EQ(instance->effect()->user, &host);
    EXPECT_EQ(instance->effectName(), "Fixture Gain");
    EXPECT_EQ(instance->vendorString(), "QX71 Tests");
    EXPECT_EQ(instance->productString(), "Fixture Gain Product");
    EXPECT_EQ(instance->programName(), "Init");
    EXPECT_EQ(instance->vendorVersion(), 7);
    EXPECT_EQ(instance->vstVersion(), 2400);
    EXPECT_EQ(instance->plugCategory(), kPlugCategEffect);
    EXPECT_EQ(instance->canDo("fixtureFeature"), 1);
    EXPECT_EQ(instance->canDo("receiveVstMidiEvent"), -1);
    EXPECT_EQ(instance->paramName(1), "Flip Pol");
    EXPECT_EQ(instance->paramLabel(0), "x2");
    EXPECT_EQ(instance->paramName(5), "");
    EXPECT_EQ(instance->setSpeakerArrangement(2, 2), 1);
    EXPECT_EQ(instance->setSpeakerArrangement(1, 1), 1);
    EXPECT_EQ(instance->setSpeakerArrangement(1, 2), 0);
    EXPECT_EQ(instance->setSpeakerArrangement(6, 6), 0);
}

TEST_F(GainFixture, ParametersAndChunksRoundTrip) {
    ASSERT_TRUE(instance) << error;
    EXPECT_FLOAT_EQ(instance->getParameter(0), 0.5f);
    instance->setParameter(1, 0.75f);
    EXPECT_FLOAT_EQ(instance->getParameter(1), 0.75f);
    EXPECT_EQ(instance->paramDisplay(1), "high");

    void* raw = nullptr;
    EXPECT_EQ(instance->getChunkRaw(true, &raw), 8);
    EXPECT_NE(raw, nullptr);
    std::vector<std::uint8_t> chunk = instance->getChunk(false);
    ASSERT_EQ(chunk.size(), 8u);
    float stored[2];
    std::memcpy(stored, chunk.data(), sizeof stored);
    EXPECT_FLOAT_EQ(stored[1], 0.75f);

    const float loaded[2] = {0.25f, 0.0f};
    std::memcpy(chunk.data(), loaded, sizeof loaded);
    instance->setChunk(chunk, false);
    EXPECT_FLOAT_EQ(instance->getParameter(0), 0.25f);
    EXPECT_FLOAT_EQ(instance->getParameter(1), 0.0f);
}

TEST_F(GainFixture, ProcessesInBothPrecisions) {
    ASSERT_TRUE(instance) << error;
    instance->setParameter(0, 1.0f);  // gain 2
    ChannelBuffers<float> in{{1.0f, -0.5f}, {0.25f, 0.0f}};
    ChannelBuffers<float> out(2, std::vector<float>(2));
    ASSERT_TRUE(instance->processReplacing(in, out));
    EXPECT_EQ(out, (ChannelBuffers<float>{{2.0f, -1.0f}, {0.5f, 0.0f}}));

    instance->setParameter(1, 1.0f);  // inverted polarity
    ChannelBuffers<double> inD{{0.125}, {-1.0}};
    ChannelBuffers<double> outD(2, std::vector<double>(1));
    ASSERT_TRUE(instance->processDoubleReplacing(inD, outD));
    EXPECT_EQ(outD, (ChannelBuffers<double>{{-0.25}, {2.0}}));
}

TEST_F(GainFixture, RefusesBuffersThePlugInWouldOverrun) {
    ASSERT_TRUE(instance) << error;
    ChannelBuffers<float> oneChannel{{1.0f}};
    ChannelBuffers<float> two(2, std::vector<float>(1));
    EXPECT_FALSE(instance->processReplacing(oneChannel, two));
    EXPECT_FALSE(instance->processReplacing(two, oneChannel));
    ChannelBuffers<float> ragged{{1.0f, 2.0f}, {1.0f}};
    EXPECT_FALSE(instance->processReplacing(ragged, two));
}

TEST_F(GainFixture, ClosesOnDestructionAndOnlyOnce) {
    ASSERT_TRUE(instance) << error;
    const int before = liveInstances();
    instance.reset();
    EXPECT_EQ(liveInstances(), before - 1);

    instance = Instance::create(library, host, error);
    EXPECT_EQ(liveInstances(), before);
    EXPECT_EQ(instance->close(), 1);
    EXPECT_TRUE(instance->isClosed());
    EXPECT_EQ(instance->dispatch(effGetVendorVersion), 0);
    instance.reset();
    EXPECT_EQ(liveInstances(), before - 1);
}

TEST_F(GainFixture, RecordsEditGesturesInOrderWithTheirArguments) {
    ASSERT_TRUE(instance) << error;
    host.clear();
    instance->dispatch(effVendorSpecific, 1, 3, nullptr, 0.625f);
    const std::vector<HostCall> calls = host.calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
    EXPECT_EQ(calls[2].opcode, audioMasterEndEdit);
    EXPECT_EQ(calls[3].opcode, audioMasterIdle);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(calls[i].index, 3);
        EXPECT_EQ(calls[i].effect, instance->effect());
    }
    ASSERT_EQ(host.automations().size(), 1u);
    EXPECT_EQ(host.automations()[0].opt, 0.625f);
    EXPECT_EQ(host.beginEdits().size(), 1u);
    EXPECT_EQ(host.endEdits().size(), 1u);
    EXPECT_EQ(host.idles().size(), 1u);
}

TEST_F(GainFixture, AnswersThePlugInsQuestions) {
    ASSERT_TRUE(instance) << error;
    instance->setSampleRate(48000.0f);
    instance->setBlockSize(256);
    host.setCanDo("sendVstTimeInfo");
    audioMasterCallback callback = HostRecorder::callback();
    AEffect* effect = instance->effect();
    EXPECT_EQ(callback(effect, audioMasterVersion, 0, 0, nullptr, 0.0f), 2400);
    EXPECT_EQ(callback(effect, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f), 48000);
    EXPECT_EQ(callback(effect, audioMasterGetBlockSize, 0, 0, nullptr, 0.0f), 256);
    char question[] = "sendVstTimeInfo";
    EXPECT_EQ(callback(effect, audioMasterCanDo, 0, 0, question, 0.0f), 1);
    char unknown[] = "sizeWindow";
    EXPECT_EQ(callback(effect, audioMasterCanDo, 0, 0, unknown, 0.0f), 0);
    EXPECT_EQ(callback(effect, audioMasterGetTime, 0, 0, nullptr, 0.0f), 0);
    ASSERT_EQ(host.callsWith(audioMasterCanDo).size(), 2u);
    EXPECT_EQ(host.callsWith(audioMasterCanDo)[1].text, "sizeWindow");
}

TEST_F(GainFixture, RecordsCallsFromTwoThreadsWithoutLosingAny) {
    ASSERT_TRUE(instance) << error;
    host.clear();
    constexpr int kGestures = 2000;
    auto gestures = [this](VstInt32 parameter) {
        for (int i = 0; i < kGestures; ++i) instance->dispatch(effVendorSpecific, 1, parameter, nullptr, 0.5f);
    };
    std::thread other([&] { gestures(1); });
    gestures(0);
    other.join();
    const std::vector<HostCall> automations = host.automations();
    ASSERT_EQ(automations.size(), 2u * kGestures);
    std::size_t fromFirst = 0;
    for (const HostCall& call : automations) fromFirst += call.index == 0 ? 1 : 0;
    EXPECT_EQ(fromFirst, static_cast<std::size_t>(kGestures));
    EXPECT_EQ(host.calls().size(), 8u * kGestures);
}

TEST(HostRecorderTest, TwoInstancesReportToTheirOwnRecorders) {
    auto library = openLibrary(FIXTURE_GAIN);
    HostRecorder first;
    HostRecorder second;
    std::string error;
    auto a = Instance::create(library, first, error);
    auto b = Instance::create(library, second, error);
    ASSERT_TRUE(a && b);
    b->dispatch(effVendorSpecific, 1, 9, nullptr, 1.0f);
    EXPECT_TRUE(first.automations().empty());
    ASSERT_EQ(second.automations().size(), 1u);
    EXPECT_EQ(second.automations()[0].index, 9);
}
