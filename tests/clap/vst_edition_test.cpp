// The CLAP edition against the VST 2.4 edition (QX71 built beside it): the same audio bit for bit
// at the same settings, in both precisions, in place and out of place, and the same state bytes.
// On Linux this process's monotonic clock stands still (tests/lv2/fixed_clock.cpp), so both
// editions seed the Analog noise alike and the Analog stage is compared too; Windows has no such
// clock, and there the scenes leave it off.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "clap_test_support.h"
#include "plugin_instance.h"
#include "real_values.h"

namespace clap_test {
namespace {

struct Scene {
    const char* name;
    std::vector<Setting> settings;
    bool analog;
};

const std::vector<Scene>& scenes() {
    using namespace param;
    static const std::vector<Scene> all = {
        {"defaults", {}, false},
        {"every section", everySection(), false},
        {"high shelf B, mid B, low bell",
         {{hfFreq, 1100},
          {hfGain, 18},
          {hfType, 1},
          {mfFreq, 7200},
          {mfGain, -18},
          {mfType, 1},
          {mfBandwidth, 0.375},
          {lfFreq, 400},
          {lfGain, -6},
          {lfMode, 1},
          {lfBandwidth, 0.8}},
         false},
        {"high bell A, low shelf A, pass filters 6 and 12",
         {{hfFreq, 12000},
          {hfGain, -9},
          {hfMode, 1},
          {hfBandwidth, 1.4},
          {lfFreq, 35},
          {lfGain, 18},
          {lowPass, 6000},
          {lowSlope, 6},
          {highPass, 15},
          {highSlope, 12}},
         false},
        {"all muted, between steps, out of range",
         {{hfFreq, 5000},
          {hfGain, 30},
          {mfFreq, 360},
          {mfGain, 9},
          {lfFreq, 60},
          {lfGain, 9},
          {lowPass, 9100},
          {lowSlope, 17},
          {highPass, 45},
          {muteHf, 1},
          {muteMf, 1},
          {muteLf, 1},
          {muteLowPass, 1},
          {muteHighPass, 1},
          {output, -40}},
         false},
        {"analog, inverted, loud", {{analog, 1}, {phase, 1}, {output, 25}, {mfFreq, 220}, {mfGain, 12}}, true},
    };
    return all;
}

bool compared(const Scene& scene) {
#ifdef _WIN32
    return !scene.analog;
#else
    (void)scene;
    return true;
#endif
}

std::unique_ptr<qx71::host::Instance> vstInstance(qx71::host::HostRecorder& host, double rate) {
    std::string error;
    auto library = qx71::host::PluginLibrary::open(QX71_VST_PATH, error);
    auto vst = library ? qx71::host::Instance::create(library, host, error) : nullptr;
    if (!vst) {
        ADD_FAILURE() << error;
        return nullptr;
    }
    vst->open();
    vst->setSampleRate(static_cast<float>(rate));
    vst->setBlockSize(8192);
    vst->mainsChanged(true);
    return vst;
}

// The VST edition takes the normalized values the shared mapping gives, in index order, as the
// CLAP edition takes its events.
void applyToVst(qx71::host::Instance& vst, std::vector<Setting> settings) {
    std::stable_sort(settings.begin(), settings.end(),
                     [](const Setting& a, const Setting& b) { return a.first < b.first; });
    for (const Setting& s : settings) {
        vst.setParameter(s.first, param::normalizedOfReal(param::kTable[s.first], static_cast<float>(s.second)));
    }
}

EventList sortedEvents(std::vector<Setting> settings) {
    std::stable_sort(settings.begin(), settings.end(),
                     [](const Setting& a, const Setting& b) { return a.first < b.first; });
    return settingsAt(0, settings);
}

// Runs `first` from the start and `second` from the fourth block through both editions; returns
// the first difference, or "".
template <class Sample>
std::string compareEditions(double rate, const Scene& first, const Scene& second, bool inPlace) {
    qx71::host::HostRecorder host;
    auto vst = vstInstance(host, rate);
    Instance clap;
    if (!vst || !clap.activate(rate)) return "no instance";
    constexpr int kBlocks[] = {64, 0, 1, 511, 4133, 2};
    int start = 0, call = 0;
    for (int frames : kBlocks) {
        EventList events;
        if (call == 0) applyToVst(*vst, first.settings), events = sortedEvents(first.settings);
        if (call++ == 3) applyToVst(*vst, second.settings), events = sortedEvents(second.settings);
        Stereo<Sample> in = testSignal<Sample>(frames, start), clapIn = in, vstOut = silence<Sample>(frames);
        Stereo<Sample> clapOut = silence<Sample>(frames);
        const clap_process_status status =
            inPlace ? clap.process(clapIn, clapIn, events) : clap.process(clapIn, clapOut, events);
        if (status != CLAP_PROCESS_CONTINUE) return "process refused";
        qx71::host::ChannelBuffers<Sample> vstIn(in.begin(), in.end()), vstResult(vstOut.begin(), vstOut.end());
        if constexpr (sizeof(Sample) == sizeof(float)) {
            vst->processReplacing(vstIn, vstResult);
        } else {
            vst->processDoubleReplacing(vstIn, vstResult);
        }
        const Stereo<Sample>& result = inPlace ? clapIn : clapOut;
        for (int c = 0; c < 2; ++c) {
            for (int i = 0; i < frames; ++i) {
                if (std::memcmp(&result[c][i], &vstResult[c][i], sizeof(Sample)) != 0) {
                    return "channel " + std::to_string(c) + " frame " + std::to_string(start + i) + ": CLAP " +
                           std::to_string(result[c][i]) + ", VST " + std::to_string(vstResult[c][i]);
                }
            }
        }
        start += frames;
    }
    return "";
}

class VstEdition : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
#ifndef _WIN32
        setenv("QX71_FIXED_CLOCK_MS", "314159", 1);
#endif
    }
};

TEST_F(VstEdition, AudioEqualsTheVstEditionInEverySection) {
    const std::vector<Scene>& all = scenes();
    for (size_t s = 0; s < all.size(); ++s) {
        const Scene& next = all[(s + 1) % all.size()];
        if (!compared(all[s]) || !compared(next)) continue;
        for (bool inPlace : {false, true}) {
            const std::string where = std::string(all[s].name) + ", then " + next.name + (inPlace ? ", in place" : "");
            EXPECT_EQ(compareEditions<float>(44100.0, all[s], next, inPlace), "") << where << ", 32-bit";
            EXPECT_EQ(compareEditions<double>(44100.0, all[s], next, inPlace), "") << where << ", 64-bit";
        }
    }
    for (double rate : {1000.0, 22050.0, 96000.0, 768000.0}) {
        EXPECT_EQ(compareEditions<float>(rate, scenes()[1], scenes()[2], false), "") << rate << " Hz";
    }
}

TEST_F(VstEdition, StateIsTheVstChunk) {
    qx71::host::HostRecorder host;
    auto vst = vstInstance(host, 48000);
    ASSERT_TRUE(vst);
    Instance clap;
    applyToVst(*vst, scenes()[2].settings);
    clap.flush(settingsAt(0, scenes()[2].settings));
    const std::vector<uint8_t> chunk = vst->getChunk(false);
    EXPECT_EQ(clap.saveState(), chunk);
    // And back: a state saved by the CLAP edition loads into the VST one.
    Instance other;
    other.flush(settingsAt(0, scenes()[3].settings));
    qx71::host::HostRecorder otherHost;
    auto otherVst = vstInstance(otherHost, 48000);
    ASSERT_TRUE(otherVst);
    otherVst->setChunk(other.saveState(), false);
    EXPECT_EQ(otherVst->getChunk(false), other.saveState());
    ASSERT_TRUE(clap.loadState(chunk));
    EXPECT_EQ(clap.saveState(), chunk);
}

}  // namespace
}  // namespace clap_test
