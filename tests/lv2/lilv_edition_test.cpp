// The LV2 edition as a host meets it through lilv: the bundle's ports against the parameter
// table, and audio equal bit for bit to the VST 2.4 edition's at the normalized values the shared
// mapping gives. The monotonic clock of this process stands still (fixed_clock.cpp), so both
// editions seed their Analog noise alike.
#include <gtest/gtest.h>
#include <lilv/lilv.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "lv2_ports.h"
#include "plugin_instance.h"
#include "real_values.h"

namespace {

constexpr const char* kUnits = "http://lv2plug.in/ns/extensions/units#";
constexpr uint32_t kAudioIn = param::count, kAudioOut = param::count + 2;

class Lv2Edition : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("QX71_FIXED_CLOCK_MS", "271828", 1);
        // The bundle, and the installed LV2 vocabulary bundles that describe the units hosts show.
        setenv("LV2_PATH", QX71_LV2_BUNDLES ":/usr/lib/lv2", 1);
        world_ = lilv_world_new();
        lilv_world_load_all(world_);
        LilvNode* uri = lilv_new_uri(world_, QX71_LV2_URI);
        plugin_ = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world_), uri);
        lilv_node_free(uri);
    }
    static void TearDownTestSuite() { lilv_world_free(world_); }
    void SetUp() override { ASSERT_NE(plugin_, nullptr) << QX71_LV2_URI << " not found in " << QX71_LV2_BUNDLES; }

    LilvNode* uri(const std::string& text) { return lilv_new_uri(world_, text.c_str()); }

    static LilvWorld* world_;
    static const LilvPlugin* plugin_;
};
LilvWorld* Lv2Edition::world_ = nullptr;
const LilvPlugin* Lv2Edition::plugin_ = nullptr;

// The unit symbol a host would show for a port; "(none)" without a unit.
std::string unitSymbol(LilvWorld* world, const LilvPlugin* plugin, const LilvPort* port) {
    LilvNode* unitProperty = lilv_new_uri(world, (std::string(kUnits) + "unit").c_str());
    LilvNode* symbolProperty = lilv_new_uri(world, (std::string(kUnits) + "symbol").c_str());
    LilvNodes* units = lilv_port_get_value(plugin, port, unitProperty);
    std::string symbol = "(none)";
    if (units != nullptr && lilv_nodes_size(units) == 1) {
        LilvNode* text = lilv_world_get(world, lilv_nodes_get_first(units), symbolProperty, nullptr);
        symbol = text != nullptr ? lilv_node_as_string(text) : "(unit without symbol)";
        lilv_node_free(text);
    }
    lilv_nodes_free(units);
    lilv_node_free(symbolProperty);
    lilv_node_free(unitProperty);
    return symbol;
}

TEST_F(Lv2Edition, PortsAreTheParameterTableInRealUnits) {
    EXPECT_EQ(lilv_plugin_get_num_ports(plugin_), lv2port::kCount);
    LilvNode* toggled = uri(LILV_NS_LV2 "toggled");
    LilvNode* enumeration = uri(LILV_NS_LV2 "enumeration");
    for (int i = 0; i < param::count; ++i) {
        const param::Description& d = param::kTable[i];
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin_, i);
        ASSERT_NE(port, nullptr) << i;
        EXPECT_EQ(lilv_node_as_string(lilv_port_get_symbol(plugin_, port)), param::symbolOf(d)) << i;
        LilvNode* name = lilv_port_get_name(plugin_, port);
        EXPECT_STREQ(lilv_node_as_string(name), d.name);
        lilv_node_free(name);
        LilvNode *def = nullptr, *min = nullptr, *max = nullptr;
        lilv_port_get_range(plugin_, port, &def, &min, &max);
        ASSERT_TRUE(def && min && max) << d.name;
        EXPECT_EQ(lilv_node_as_float(def), param::realDefault(d)) << d.name;
        EXPECT_EQ(lilv_node_as_float(min), param::realMinimum(d)) << d.name;
        EXPECT_EQ(lilv_node_as_float(max), param::realMaximum(d)) << d.name;
        // The default selects the table's default.
        EXPECT_EQ(param::normalizedOfReal(d, lilv_node_as_float(def)), d.defaultValue) << d.name;
        lilv_node_free(def), lilv_node_free(min), lilv_node_free(max);

        const bool unitless = d.stepped() && d.unit[0] == '\0';
        EXPECT_EQ(unitSymbol(world_, plugin_, port), unitless ? "(none)" : d.unit) << d.name;
        EXPECT_EQ(lilv_port_has_property(plugin_, port, toggled), d.stepped() && param::isSwitch(d)) << d.name;
        EXPECT_EQ(lilv_port_has_property(plugin_, port, enumeration), d.stepped() && !param::isSwitch(d)) << d.name;

        // Every scale point is a position of the table: its label, and a value that selects it.
        std::map<float, std::string> points;
        LilvScalePoints* scalePoints = lilv_port_get_scale_points(plugin_, port);
        LILV_FOREACH(scale_points, it, scalePoints) {
            const LilvScalePoint* point = lilv_scale_points_get(scalePoints, it);
            points[lilv_node_as_float(lilv_scale_point_get_value(point))] =
                lilv_node_as_string(lilv_scale_point_get_label(point));
        }
        lilv_scale_points_free(scalePoints);
        ASSERT_EQ(points.size(), static_cast<size_t>(d.stepped() ? d.steps + 1 : 0)) << d.name;
        for (int p = 0; p < (d.stepped() ? d.steps + 1 : 0); ++p) {
            const float value = param::realOfPosition(d, p);
            EXPECT_EQ(points[value], d.positions[p].label) << d.name << " position " << p;
            EXPECT_EQ(param::normalizedOfReal(d, value), d.normalizedOfPosition(p)) << d.name << " position " << p;
        }
    }
    lilv_node_free(toggled);
    lilv_node_free(enumeration);
}

TEST_F(Lv2Edition, OutputLevelPortAndX11UiAreDescribed) {
    const LilvPort* level = lilv_plugin_get_port_by_index(plugin_, lv2port::kOutputLevel);
    ASSERT_NE(level, nullptr);
    LilvNode* output = uri(LILV_URI_OUTPUT_PORT);
    LilvNode* control = uri(LILV_URI_CONTROL_PORT);
    EXPECT_TRUE(lilv_port_is_a(plugin_, level, output) && lilv_port_is_a(plugin_, level, control));
    EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(plugin_, level)), "output_level");
    lilv_node_free(output);
    lilv_node_free(control);

    LilvUIs* uis = lilv_plugin_get_uis(plugin_);
    ASSERT_EQ(lilv_uis_size(uis), 1u);
    const LilvUI* ui = lilv_uis_get(uis, lilv_uis_begin(uis));
    LilvNode* x11 = uri("http://lv2plug.in/ns/extensions/ui#X11UI");
    EXPECT_TRUE(lilv_ui_is_a(ui, x11));
    char* binary = lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_binary_uri(ui)), nullptr);
    EXPECT_EQ(std::string(binary).substr(std::string(binary).rfind('/') + 1), "qx71_ui.so");
    lilv_free(binary);
    lilv_node_free(x11);
    lilv_uis_free(uis);
}

// A setting in real units: parameter index and port value.
struct Setting {
    int index;
    float real;
};
struct Scene {
    const char* name;
    std::vector<Setting> settings;
};

// Every section in each of its modes and types, every slope, the switches, the mutes, values off
// the steps and outside the ranges.
const std::vector<Scene>& scenes() {
    using namespace param;
    static const std::vector<Scene> all = {
        {"defaults", {}},
        {"high shelf A", {{hfFreq, 3900}, {hfGain, 6}, {hfBandwidth, 0.5f}}},
        {"high bell B", {{hfFreq, 12000}, {hfGain, -9}, {hfType, 1}, {hfMode, 1}, {hfBandwidth, 1.4f}}},
        {"high shelf B", {{hfFreq, 1100}, {hfGain, 18}, {hfType, 1}}},
        {"mid A", {{mfFreq, 220}, {mfGain, 12}, {mfBandwidth, 1.625f}}},
        {"mid B", {{mfFreq, 7200}, {mfGain, -18}, {mfType, 1}, {mfBandwidth, 0.375f}}},
        {"low shelf B", {{lfFreq, 35}, {lfGain, 18}, {lfType, 1}}},
        {"low bell A", {{lfFreq, 400}, {lfGain, -6}, {lfMode, 1}, {lfBandwidth, 0.8f}}},
        {"low-pass 6", {{lowPass, 6000}, {lowSlope, 6}}},
        {"low-pass 12", {{lowPass, 18000}, {lowSlope, 12}}},
        {"low-pass 18, between steps", {{lowPass, 9100}, {lowSlope, 17}}},
        {"high-pass 24", {{highPass, 360}, {highSlope, 24}}},
        {"high-pass 12, 6", {{highPass, 15}, {highSlope, 12}, {lowPass, 8000}}},
        {"analog, inverted, loud", {{analog, 1}, {phase, 1}, {output, 25}}},
        {"analog, quiet, off the range", {{analog, 0.5f}, {output, -40}, {hfGain, 30}, {hfFreq, 1e9f}}},
        {"everything on",
         {{hfFreq, 8200},
          {hfGain, 4.5f},
          {hfMode, 1},
          {mfFreq, 1600},
          {mfGain, -3.25f},
          {lfFreq, 110},
          {lfGain, 7},
          {lowPass, 14000},
          {lowSlope, 24},
          {highPass, 70},
          {highSlope, 18},
          {analog, 1},
          {output, -2.5f}}},
        {"everything on, all muted",
         {{hfFreq, 5800},
          {hfGain, 9},
          {mfFreq, 360},
          {mfGain, 9},
          {lfFreq, 60},
          {lfGain, 9},
          {lowPass, 10000},
          {highPass, 45},
          {muteHf, 1},
          {muteMf, 1},
          {muteLf, 1},
          {muteLowPass, 1},
          {muteHighPass, 1}}},
        {"not a number is ignored", {{hfFreq, 2200}, {hfGain, std::numeric_limits<float>::quiet_NaN()}}},
    };
    return all;
}

// Frames per call, the same for both editions: the engine's state carries across calls, and
// an empty call and one longer than any nominal length are part of the sequence.
constexpr int kBlocks[] = {64, 0, 1, 511, 4133, 2};

// A loud, deterministic stereo signal with different content per channel.
std::vector<float> signal(int frames, int channel) {
    std::vector<float> samples(frames);
    uint32_t state = 12345u + 777u * static_cast<uint32_t>(channel);
    for (int i = 0; i < frames; ++i) {
        state = state * 1664525u + 1013904223u;
        const float noise = static_cast<float>(state >> 8) / 16777216.0f - 0.5f;
        samples[i] = 0.6f * std::sin(0.01f * (channel + 1) * i) + 0.4f * noise;
    }
    return samples;
}

// Runs the scene through both editions (the LV2 one in place when `inPlace`): `first` from the
// start, `second` from the fourth call on. Returns the first difference, or "".
std::string compareEditions(const LilvPlugin* plugin, double rate, const Scene& first, const Scene& second,
                            bool inPlace) {
    LilvInstance* lv2 = lilv_plugin_instantiate(plugin, rate, nullptr);
    if (lv2 == nullptr) return "LV2 instantiate failed";
    std::string error;
    qx71::host::HostRecorder host;
    auto library = qx71::host::PluginLibrary::open(QX71_VST_PLUGIN, error);
    auto vst = library ? qx71::host::Instance::create(library, host, error) : nullptr;
    if (!vst) {
        lilv_instance_free(lv2);
        return "VST: " + error;
    }
    vst->open();
    vst->setSampleRate(static_cast<float>(rate));
    vst->setBlockSize(4096);
    vst->mainsChanged(true);

    float ports[param::count];
    for (int i = 0; i < param::count; ++i) {
        ports[i] = param::realDefault(param::kTable[i]);
        lilv_instance_connect_port(lv2, i, &ports[i]);
    }
    float level = -1.0f;
    lilv_instance_connect_port(lv2, lv2port::kOutputLevel, &level);
    // The LV2 edition takes changed ports in index order at the start of a call; the VST 2.4
    // edition gets the same changes in the same order.
    auto apply = [&](const Scene& scene) {
        std::vector<Setting> settings = scene.settings;
        std::stable_sort(settings.begin(), settings.end(),
                         [](const Setting& a, const Setting& b) { return a.index < b.index; });
        for (const Setting& s : settings) {
            ports[s.index] = s.real;
            const float normalized = param::normalizedOfReal(param::kTable[s.index], s.real);
            if (!std::isnan(normalized)) vst->setParameter(s.index, normalized);
        }
    };
    lilv_instance_activate(lv2);
    apply(first);
    std::string difference;
    int call = 0, start = 0;
    for (int frames : kBlocks) {
        if (call++ == 3) apply(second);
        qx71::host::ChannelBuffers<float> in(2), vstOut(2, std::vector<float>(frames));
        std::vector<float> lv2In[2], lv2Out[2];
        for (int c = 0; c < 2; ++c) {
            const std::vector<float> whole = signal(start + frames, c);
            in[c].assign(whole.begin() + start, whole.end());
            lv2In[c] = in[c];
            lv2Out[c].assign(frames, 0.0f);
            lilv_instance_connect_port(lv2, kAudioIn + c, lv2In[c].data());
            lilv_instance_connect_port(lv2, kAudioOut + c, inPlace ? lv2In[c].data() : lv2Out[c].data());
        }
        lilv_instance_run(lv2, static_cast<uint32_t>(frames));
        vst->processReplacing(in, vstOut);
        for (int c = 0; c < 2 && difference.empty(); ++c) {
            const std::vector<float>& result = inPlace ? lv2In[c] : lv2Out[c];
            for (int i = 0; i < frames; ++i) {
                if (std::memcmp(&result[i], &vstOut[c][i], sizeof(float)) != 0) {
                    difference = "channel " + std::to_string(c) + " frame " + std::to_string(start + i) + ": LV2 " +
                                 std::to_string(result[i]) + ", VST " + std::to_string(vstOut[c][i]);
                    break;
                }
            }
        }
        // The level port: the largest frame level, the mean of both channels' magnitudes.
        double loudest = 0.0;
        for (int i = 0; i < frames; ++i) {
            loudest = std::max(loudest, (std::fabs(double{vstOut[0][i]}) + std::fabs(double{vstOut[1][i]})) * 0.5);
        }
        if (difference.empty() && !(std::fabs(level - loudest) <= 1e-6 * std::max(1.0, loudest))) {
            difference = "call " + std::to_string(call) + ": output level " + std::to_string(level) + ", expected " +
                         std::to_string(loudest);
        }
        start += frames;
    }
    lilv_instance_deactivate(lv2);
    lilv_instance_free(lv2);
    return difference;
}

TEST_F(Lv2Edition, AudioEqualsTheVstEditionInEverySectionAndMode) {
    const std::vector<Scene>& all = scenes();
    for (size_t s = 0; s < all.size(); ++s) {
        const Scene& next = all[(s + 1) % all.size()];
        for (bool inPlace : {false, true}) {
            EXPECT_EQ(compareEditions(plugin_, 44100.0, all[s], next, inPlace), "")
                << all[s].name << ", then " << next.name << (inPlace ? ", in place" : "");
        }
    }
}

TEST_F(Lv2Edition, EveryRateTheVstEditionTakesAndNoUnusableOne) {
    const Scene& full = scenes()[scenes().size() - 3];  // everything on
    for (double rate : {1.0, 8000.0, 22050.0, 44100.0, 48000.0, 88200.0, 96000.0, 192000.0, 768000.0, 1.5e6}) {
        EXPECT_EQ(compareEditions(plugin_, rate, full, scenes()[1], false), "") << rate << " Hz";
    }
    for (double rate : {0.0, -44100.0, std::nan(""), HUGE_VAL, 1e300}) {
        LilvInstance* instance = lilv_plugin_instantiate(plugin_, rate, nullptr);
        EXPECT_EQ(instance, nullptr) << rate << " Hz";
        if (instance != nullptr) lilv_instance_free(instance);
    }
}

}  // namespace

namespace {

// Runs `calls` calls of `frames` frames of the test signal, in place, and returns the last output.
std::vector<float> runCalls(LilvInstance* instance, int calls, int frames) {
    std::vector<float> audio[2];
    for (int call = 0; call < calls; ++call) {
        for (int c = 0; c < 2; ++c) {
            audio[c] = signal(frames, c);
            lilv_instance_connect_port(instance, kAudioIn + c, audio[c].data());
            lilv_instance_connect_port(instance, kAudioOut + c, audio[c].data());
        }
        lilv_instance_run(instance, static_cast<uint32_t>(frames));
    }
    audio[0].insert(audio[0].end(), audio[1].begin(), audio[1].end());
    return audio[0];
}

// activate after deactivate is a fresh start: the sections forget what they heard, so the next
// call sounds as in an instance that heard nothing (its empty calls keep the denormal offset's
// phase alike).
TEST_F(Lv2Edition, ActivateForgetsTheAudioHeardBefore) {
    LilvInstance* used = lilv_plugin_instantiate(plugin_, 48000.0, nullptr);
    LilvInstance* fresh = lilv_plugin_instantiate(plugin_, 48000.0, nullptr);
    ASSERT_TRUE(used && fresh);
    float ports[param::count];
    for (int i = 0; i < param::count; ++i) ports[i] = param::realDefault(param::kTable[i]);
    for (const Setting& s : scenes()[15].settings) ports[s.index] = s.real;  // everything on
    ports[param::analog] = 0;  // the noise generator runs on; it is no part of the history
    for (int i = 0; i < param::count; ++i) {
        lilv_instance_connect_port(used, i, &ports[i]);
        lilv_instance_connect_port(fresh, i, &ports[i]);
    }
    lilv_instance_activate(used);
    lilv_instance_activate(fresh);
    runCalls(used, 2, 700);
    runCalls(fresh, 2, 0);
    lilv_instance_deactivate(used);
    lilv_instance_activate(used);
    const std::vector<float> after = runCalls(used, 1, 300), expected = runCalls(fresh, 1, 300);
    EXPECT_EQ(std::memcmp(after.data(), expected.data(), after.size() * sizeof(float)), 0);
    lilv_instance_free(used);
    lilv_instance_free(fresh);
}

}  // namespace
