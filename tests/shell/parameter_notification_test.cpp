// The order and the values of the notifications that follow a parameter store, and the
// state-chunk rules, checked on the shell's own base class.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "effect_base.h"
#include "parameter_table.h"

namespace {

struct Notification {
    std::string who;
    VstInt32 index;
    float value;
};

std::vector<Notification>* recordedHostCalls = nullptr;

VstIntPtr VSTCALLBACK recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt) {
    if (opcode == audioMasterAutomate && recordedHostCalls != nullptr) {
        recordedHostCalls->push_back({"host", index, opt});
    }
    return opcode == audioMasterVersion ? 2400 : 0;
}

class RecordingEditor : public AEffEditor {
public:
    RecordingEditor(AudioEffect* effect, std::vector<Notification>& log) : AEffEditor(effect), log_(log) {}
    void setParameter(VstInt32 index, float value) override { log_.push_back({"editor", index, value}); }

private:
    std::vector<Notification>& log_;
};

class RecordingEffect : public vst::EffectBase {
public:
    explicit RecordingEffect(std::vector<Notification>& log) : vst::EffectBase(recordingHost), log_(log) {
        setEditor(new RecordingEditor(this, log));
    }
    void processReplacing(float**, float**, VstInt32) override {}

protected:
    void parameterChanged(VstInt32 index, float value) override { log_.push_back({"hook", index, value}); }
    void updateAllSections(float rate) override { log_.push_back({"all", -1, rate}); }

private:
    std::vector<Notification>& log_;
};

class ParameterNotification : public ::testing::Test {
protected:
    void SetUp() override { recordedHostCalls = &log; }
    void TearDown() override { recordedHostCalls = nullptr; }

    std::vector<Notification> log;
    RecordingEffect effect{log};
};

TEST_F(ParameterNotification, HookThenEditorReceiveTheUnclampedValue) {
    effect.setParameter(param::hfGain, 1.7f);
    EXPECT_EQ(effect.getParameter(param::hfGain), 1.0f);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].who, "hook");
    EXPECT_EQ(log[0].value, 1.7f);
    EXPECT_EQ(log[1].who, "editor");
    EXPECT_EQ(log[1].value, 1.7f);
}

TEST_F(ParameterNotification, AutomatedChangeTellsTheHostLast) {
    effect.setParameterAutomated(param::mfGain, -0.25f);
    EXPECT_EQ(effect.getParameter(param::mfGain), 0.0f);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].who, "hook");
    EXPECT_EQ(log[1].who, "editor");
    EXPECT_EQ(log[2].who, "host");
    EXPECT_EQ(log[2].index, param::mfGain);
    EXPECT_EQ(log[2].value, -0.25f);
}

TEST_F(ParameterNotification, InvalidIndexAndNaNChangeNothingAndNotifyNobody) {
    effect.setParameter(-1, 0.5f);
    effect.setParameter(26, 0.5f);
    effect.setParameter(param::output, std::numeric_limits<float>::quiet_NaN());
    effect.setParameterAutomated(param::output, std::numeric_limits<float>::quiet_NaN());
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(effect.getParameter(param::output), 0.5f);
}

TEST_F(ParameterNotification, InfinitiesClampLikeAnyOtherValue) {
    effect.setParameter(param::hfGain, std::numeric_limits<float>::infinity());
    effect.setParameter(param::mfGain, -std::numeric_limits<float>::infinity());
    EXPECT_EQ(effect.getParameter(param::hfGain), 1.0f);
    EXPECT_EQ(effect.getParameter(param::mfGain), 0.0f);
}

TEST_F(ParameterNotification, SampleRateRunsTheRedesignHookWithTheNewRate) {
    effect.dispatcher(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].who, "all");
    EXPECT_EQ(log[0].value, 48000.0f);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
}

TEST_F(ParameterNotification, UnusableSampleRatesAreRefused) {
    for (float rate :
         {0.0f, -44100.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()})
        effect.dispatcher(effSetSampleRate, 0, 0, nullptr, rate);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
}

std::vector<unsigned char> chunkOf(const std::vector<float>& values) {
    std::vector<unsigned char> bytes(values.size() * 4);
    std::memcpy(bytes.data(), values.data(), bytes.size());  // the test machines are little-endian
    return bytes;
}

TEST_F(ParameterNotification, ChunkNotifiesEveryParameterWithTheClampedValueInOrder) {
    std::vector<float> values(26, 0.25f);
    values[0] = 2.0f;
    values[20] = -1.0f;
    auto bytes = chunkOf(values);
    EXPECT_EQ(effect.setChunk(bytes.data(), static_cast<VstInt32>(bytes.size()), false), 0);
    ASSERT_EQ(log.size(), 52u);
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(log[2 * i].who, "hook");
        EXPECT_EQ(log[2 * i].index, i);
        EXPECT_EQ(log[2 * i + 1].who, "editor");
    }
    EXPECT_EQ(log[0].value, 1.0f);
    EXPECT_EQ(log[40].value, 0.0f);
    EXPECT_EQ(effect.getParameter(0), 1.0f);
    EXPECT_EQ(effect.getParameter(20), 0.0f);
}

TEST_F(ParameterNotification, ShortChunkReadsOnlyWholeFloatsInsideItsSize) {
    std::vector<float> values(26, 0.75f);
    auto bytes = chunkOf(values);
    effect.setChunk(bytes.data(), 11, false);  // two whole floats and three stray bytes
    EXPECT_EQ(effect.getParameter(0), 0.75f);
    EXPECT_EQ(effect.getParameter(1), 0.75f);
    EXPECT_EQ(effect.getParameter(2), 0.0f);
    EXPECT_EQ(log.size(), 4u);
}

TEST_F(ParameterNotification, NullOrNegativeChunkChangesNothing) {
    std::vector<float> values(26, 0.75f);
    auto bytes = chunkOf(values);
    EXPECT_EQ(effect.setChunk(nullptr, 104, false), 0);
    EXPECT_EQ(effect.setChunk(bytes.data(), -104, false), 0);
    EXPECT_EQ(effect.setChunk(bytes.data(), 0, false), 0);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(effect.getParameter(0), 0.5f);
}

TEST_F(ParameterNotification, NaNInsideAChunkLeavesThatParameterAlone) {
    std::vector<float> values(26, 0.75f);
    values[3] = std::numeric_limits<float>::quiet_NaN();
    auto bytes = chunkOf(values);
    effect.setChunk(bytes.data(), 104, false);
    EXPECT_EQ(effect.getParameter(3), 0.5f);
    EXPECT_EQ(effect.getParameter(4), 0.75f);
    EXPECT_EQ(log.size(), 50u);
}

TEST_F(ParameterNotification, ChunkBlockIsOwnedByTheInstanceAndReused) {
    void* first = nullptr;
    void* second = nullptr;
    EXPECT_EQ(effect.getChunk(&first, false), 104);
    effect.setParameter(param::output, 0.125f);
    EXPECT_EQ(effect.getChunk(&second, true), 104);
    EXPECT_EQ(first, second);
    float output;
    std::memcpy(&output, second, 4);
    EXPECT_EQ(output, 0.125f);
    EXPECT_EQ(effect.getChunk(nullptr, false), 0);
}

}  // namespace
