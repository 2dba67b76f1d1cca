#include <cstring>

#include <gtest/gtest.h>

#include "engine_fixture.h"

using namespace dsp;  // the engine's names, unqualified in the tests

namespace {
// Bit-level comparison of one section's coefficients in two designed chains.
template <class Record>
bool same(const Record& a, const Record& b) {
    return std::memcmp(&a, &b, sizeof(Record)) == 0;
}

// Which sections differ between two designs (coefficients or reset counts).
std::vector<Section> changedSections(const DesignedChain& before, const DesignedChain& after) {
    std::vector<Section> changed;
    forEachSection(
        [&](Section s, const auto& a, const auto& b) {
            const int i = static_cast<int>(s);
            if (!same(a, b) || before.resetCount[i] != after.resetCount[i]) changed.push_back(s);
        },
        before.coefficients, after.coefficients);
    return changed;
}

// Every section has some state after loud noise through a fully active chain.
void makeEveryStateNonZero(EngineRig& rig) {
    std::vector<double> l = noiseSignal(256, 1), r = noiseSignal(256, 2);
    rig.process(l, r);
}

bool stateIsZero(const ChainStates<double>& states, Section section) {
    bool zero = true;
    forEachSection(
        [&](Section s, const auto& state) {
            if (s != section) return;
            const double* v = reinterpret_cast<const double*>(&state);
            for (size_t i = 0; i < sizeof(state) / sizeof(double); ++i) zero = zero && v[i] == 0.0;
        },
        states);
    return zero;
}
}  // namespace

TEST(Routing, EachParameterRedesignsItsGroupOnly) {
    struct Case {
        int index;
        float value;
        std::vector<Section> sections;
    };
    const std::vector<Case> cases = {
        {param::hfFreq, 0.3f, {Section::hfShelf, Section::hfPeak}},
        {param::hfMode, 1.0f, {Section::hfShelf, Section::hfPeak}},
        {param::mfFreq, 0.3f, {Section::mfPeak}},
        {param::mfBandwidth, 0.9f, {Section::mfPeak}},
        {param::lfFreq, 0.3f, {Section::lfShelf, Section::lfDip, Section::lfMain}},
        {param::lfMode, 1.0f, {Section::lfShelf, Section::lfDip, Section::lfMain}},
        {param::lowPass, 0.4f, {Section::lpFirst}},
        {param::lowSlope, 1.0f, {Section::lpStage1, Section::lpStage2}},
        {param::highPass, 0.4f, {Section::hpFirst}},
        {param::highSlope, 1.0f / 3.0f, {Section::hpStage1}},
        {param::analog, 1.0f, {Section::analogShelf}},
    };
    for (const Case& c : cases) {
        EngineRig rig;
        rig.set(param::lowPass, 0.2f);
        rig.set(param::highPass, 0.2f);
        rig.set(param::hfFreq, 0.2f);
        rig.set(param::hfGain, 0.9f);
        rig.set(param::mfFreq, 0.2f);
        rig.set(param::mfGain, 0.9f);
        rig.set(param::lfFreq, 0.2f);
        rig.set(param::lfGain, 0.9f);
        const DesignedChain before = rig.engine.designedChain();
        rig.set(c.index, c.value);
        EXPECT_EQ(changedSections(before, rig.engine.designedChain()), c.sections) << "parameter " << c.index;
    }
}

TEST(Routing, PerCallParametersRunNoDesign) {
    EngineRig rig;
    rig.set(param::hfFreq, 0.5f);
    const DesignedChain before = rig.engine.designedChain();
    for (int index : std::initializer_list<int>{param::output, param::phase, param::muteHf, param::muteMf,
                                                param::muteLf, param::muteLowPass, param::muteHighPass, -1, 26, 1000}) {
        if (index >= 0 && index < param::count) rig.values[index].store(1.0f);
        rig.engine.parameterChanged(index);
        EXPECT_TRUE(changedSections(before, rig.engine.designedChain()).empty()) << index;
    }
}

TEST(Routing, SampleRateRedesignsEverythingAndKeepsStates) {
    EngineRig rig;
    rig.set(param::hfType, 1.0f);
    rig.set(param::hfFreq, 0.5f);
    rig.set(param::hfGain, 0.2f);
    rig.set(param::mfFreq, 0.5f);
    rig.set(param::mfGain, 0.2f);
    rig.set(param::lfType, 1.0f);
    rig.set(param::lfFreq, 0.5f);
    rig.set(param::lfGain, 0.2f);
    rig.set(param::lowPass, 0.6f);
    rig.set(param::highPass, 0.6f);
    rig.set(param::analog, 1.0f);
    makeEveryStateNonZero(rig);
    const ChainStates<double> statesBefore = rig.states();
    const DesignedChain before = rig.engine.designedChain();
    rig.setRate(96000);
    rig.sync();
    const DesignedChain after = rig.engine.designedChain();
    const std::vector<Section> changed = changedSections(before, after);
    for (Section s : {Section::analogShelf, Section::lfDip, Section::lfMain, Section::mfPeak, Section::hfShelf,
                      Section::hfPeak, Section::hpFirst, Section::lpFirst}) {
        EXPECT_NE(std::find(changed.begin(), changed.end(), s), changed.end()) << static_cast<int>(s);
    }
    // Only the designs' own resets (here the unused type-A low shelf) touch a state.
    const ChainStates<double> statesAfter = rig.states();
    forEachSection(
        [&](Section s, const auto& a, const auto& b) {
            const int i = static_cast<int>(s);
            const bool wasReset = before.resetCount[i] != after.resetCount[i];
            EXPECT_EQ(wasReset, s == Section::lfShelf);
            if (!wasReset) {
                EXPECT_TRUE(same(a, b)) << i;
            }
        },
        statesBefore, statesAfter);
    const ChainCoefficients<double> active = rig.coefficients();
    EXPECT_EQ(std::memcmp(&active, &after.coefficients, sizeof active), 0);
}

TEST(Routing, ChangesReachTheAudioPathByTheNextCall) {
    EngineRig rig;
    rig.set(param::mfFreq, 0.6f);
    rig.set(param::mfGain, 0.1f);
    rig.sync();
    const DesignedChain designed = rig.engine.designedChain();
    const ChainCoefficients<double> active = rig.coefficients();
    EXPECT_EQ(std::memcmp(&active, &designed.coefficients, sizeof active), 0);
}

// Which states each design clears (true) or keeps (false).
struct StateCase {
    const char* name;
    std::vector<std::pair<int, float>> settings;
    std::vector<std::pair<Section, bool>> cleared;
};

class DesignStates : public testing::TestWithParam<StateCase> {};

TEST_P(DesignStates, ClearOrKeep) {
    EngineRig rig;
    // Start with every section designed and running: high shelf type B, low shelf type B plus
    // a type-A shelf state left from before, all pass stages, Analog.
    rig.set(param::hfType, 1.0f);
    rig.set(param::hfGain, 0.8f);
    rig.set(param::hfFreq, 0.5f);
    rig.set(param::mfGain, 0.8f);
    rig.set(param::mfFreq, 0.5f);
    rig.set(param::lfGain, 0.8f);
    rig.set(param::lfFreq, 0.5f);
    makeEveryStateNonZero(rig);  // the type-A shelf state
    rig.set(param::lfType, 1.0f);
    rig.set(param::lowPass, 0.4f);
    rig.set(param::highPass, 0.4f);
    rig.set(param::lowSlope, 2.0f / 3.0f);
    rig.set(param::highSlope, 2.0f / 3.0f);
    rig.set(param::analog, 1.0f);
    makeEveryStateNonZero(rig);
    rig.set(param::lowSlope, 1.0f);
    rig.set(param::highSlope, 1.0f);
    makeEveryStateNonZero(rig);
    ChainStates<double> running = rig.states(1);
    forEachSection([&](Section s, const auto&) { EXPECT_FALSE(stateIsZero(running, s)); }, running);

    for (const auto& [index, value] : GetParam().settings) rig.set(index, value);
    rig.sync();
    for (const auto& [section, cleared] : GetParam().cleared) {
        EXPECT_EQ(stateIsZero(rig.states(0), section), cleared) << "section " << static_cast<int>(section);
        EXPECT_EQ(stateIsZero(rig.states(1), section), cleared) << "section " << static_cast<int>(section);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Engine, DesignStates,
    testing::Values(
        StateCase{"HighOff", {{param::hfFreq, 0.05f}}, {{Section::hfShelf, true}, {Section::hfPeak, true}}},
        StateCase{"HighBell", {{param::hfMode, 0.6f}}, {{Section::hfShelf, true}, {Section::hfPeak, false}}},
        StateCase{"HighShelfA", {{param::hfType, 0.4f}}, {{Section::hfShelf, false}, {Section::hfPeak, true}}},
        StateCase{"HighShelfB", {{param::hfGain, 0.1f}}, {{Section::hfShelf, false}, {Section::hfPeak, false}}},
        StateCase{"MidOff", {{param::mfFreq, 0.0f}}, {{Section::mfPeak, true}}},
        StateCase{"MidMove", {{param::mfFreq, 1.0f}, {param::mfType, 1.0f}}, {{Section::mfPeak, false}}},
        StateCase{"LowOff",
                  {{param::lfFreq, 0.07f}},
                  {{Section::lfShelf, true}, {Section::lfDip, true}, {Section::lfMain, true}}},
        StateCase{"LowBell",
                  {{param::lfMode, 1.0f}},
                  {{Section::lfShelf, true}, {Section::lfDip, true}, {Section::lfMain, false}}},
        StateCase{"LowShelfB",
                  {{param::lfGain, 0.1f}},
                  {{Section::lfShelf, true}, {Section::lfDip, false}, {Section::lfMain, false}}},
        StateCase{"LowShelfA",
                  {{param::lfType, 0.0f}},
                  {{Section::lfShelf, false}, {Section::lfDip, true}, {Section::lfMain, true}}},
        StateCase{"PassFiltersNeverClear",
                  {{param::lowPass, 0.0f}, {param::highPass, 1.0f}, {param::highSlope, 0.0f}},
                  {{Section::lpFirst, false},
                   {Section::lpStage2, false},
                   {Section::hpFirst, false},
                   {Section::hpStage2, false}}},
        StateCase{"AnalogOff", {{param::analog, 0.5f}}, {{Section::analogShelf, true}}},
        StateCase{"AnalogStaysOn", {{param::analog, 0.9f}}, {{Section::analogShelf, false}}}),
    [](const testing::TestParamInfo<StateCase>& info) { return std::string(info.param.name); });

TEST(Routing, PassSlopeDesignsOnlyItsSections) {
    EngineRig rig;
    rig.set(param::lowSlope, 1.0f);  // position 0: nothing designed yet
    EXPECT_EQ(rig.engine.designedChain().coefficients.lpStage1.b0, 1.0);
    rig.set(param::lowPass, 0.6f);
    const DesignedChain slope3 = rig.engine.designedChain();
    EXPECT_NE(slope3.coefficients.lpStage2.b0, 1.0);
    EXPECT_EQ(slope3.coefficients.lpFirst.b0, 1.0);  // untouched at slope 3
    rig.set(param::lowSlope, 0.0f);
    const DesignedChain slope0 = rig.engine.designedChain();
    EXPECT_NE(slope0.coefficients.lpFirst.b0, 1.0);
    EXPECT_TRUE(same(slope0.coefficients.lpStage1, slope3.coefficients.lpStage1));
    EXPECT_TRUE(same(slope0.coefficients.lpStage2, slope3.coefficients.lpStage2));
    rig.set(param::lowPass, 0.0f);  // off designs nothing
    EXPECT_TRUE(changedSections(slope0, rig.engine.designedChain()).empty());
}

TEST(Routing, SwitchComparisonsAtExactlyOneHalf) {
    EngineRig rig;
    rig.set(param::hfFreq, 0.3f);
    rig.set(param::hfGain, 0.9f);
    rig.set(param::hfMode, 0.5f);  // shelf mode
    rig.set(param::hfType, 0.5f);  // type B in shelf mode: the bump exists
    EXPECT_NE(rig.engine.designedChain().coefficients.hfShelf.k, 0.0);
    EXPECT_NE(rig.engine.designedChain().coefficients.hfPeak.b0, 1.0);
    rig.set(param::hfMode, 0.51f);  // bell; type 0.5 is type A there
    const double bellTypeA = rig.engine.designedChain().coefficients.hfPeak.b0;
    rig.set(param::hfType, 0.0f);
    EXPECT_EQ(rig.engine.designedChain().coefficients.hfPeak.b0, bellTypeA);
    EXPECT_EQ(rig.engine.designedChain().coefficients.hfShelf.k, 0.0);
}
