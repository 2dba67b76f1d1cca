// The CLAP edition through its published interface: what a plug-in validator checks (descriptor,
// extensions, parameter texts, rates, block sizes, precisions, events of every kind, state, flush)
// and the sample-accurate automation, with bad input at every entry point.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>
#include <set>
#include <string>

#include "clap_test_support.h"
#include "real_values.h"

namespace clap_test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ClapEdition, FactoryOffersOnePluginAndRefusesWhatItDoesNotKnow) {
    const clap_plugin_entry_t* e = entry();
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(clap_version_is_compatible(e->clap_version));
    EXPECT_EQ(e->get_factory("clap.no-such-factory"), nullptr);
    EXPECT_EQ(e->get_factory(nullptr), nullptr);
    const clap_plugin_factory_t* f = factory();
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(f->get_plugin_count(f), 1u);
    EXPECT_EQ(f->get_plugin_descriptor(f, 1), nullptr);
    const clap_plugin_descriptor_t* d = f->get_plugin_descriptor(f, 0);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(clap_version_is_compatible(d->clap_version));
    EXPECT_STREQ(d->id, "com.quorvane.qx71-channel-eq");
    EXPECT_STREQ(d->name, "QX71 Channel EQ");
    EXPECT_STREQ(d->vendor, "Quorvane");
    EXPECT_STREQ(d->version, "1.2.1");
    ASSERT_TRUE(d->url && d->manual_url && d->support_url && d->description);
    std::set<std::string> features;
    for (const char* const* f2 = d->features; *f2 != nullptr; ++f2) features.insert(*f2);
    EXPECT_EQ(features, (std::set<std::string>{"audio-effect", "equalizer", "stereo"}));

    Instance valid;  // a host to borrow
    clap_host_t oldHost = *valid.host();
    oldHost.clap_version = {0, 9, 0};
    EXPECT_EQ(f->create_plugin(f, &oldHost, d->id), nullptr);
    EXPECT_EQ(f->create_plugin(f, valid.host(), "com.quorvane.other"), nullptr);
    EXPECT_EQ(f->create_plugin(f, valid.host(), nullptr), nullptr);
    EXPECT_EQ(f->create_plugin(f, nullptr, d->id), nullptr);
}

TEST(ClapEdition, ExtensionsAudioPortsLatencyRender) {
    Instance i;
    ASSERT_NE(i.plugin(), nullptr);
    EXPECT_EQ(i.plugin()->get_extension(i.plugin(), nullptr), nullptr);
    EXPECT_EQ(i.extension<void>("clap.no-such-extension"), nullptr);
    for (const char* id :
         {CLAP_EXT_AUDIO_PORTS, CLAP_EXT_PARAMS, CLAP_EXT_STATE, CLAP_EXT_LATENCY, CLAP_EXT_TAIL, CLAP_EXT_RENDER}) {
        EXPECT_NE(i.extension<void>(id), nullptr) << id;
    }
    const auto* ports = i.extension<clap_plugin_audio_ports_t>(CLAP_EXT_AUDIO_PORTS);
    for (bool input : {true, false}) {
        ASSERT_EQ(ports->count(i.plugin(), input), 1u);
        clap_audio_port_info_t info;
        ASSERT_TRUE(ports->get(i.plugin(), 0, input, &info));
        EXPECT_EQ(info.channel_count, 2u);
        EXPECT_STREQ(info.port_type, CLAP_PORT_STEREO);
        EXPECT_EQ(info.flags & (CLAP_AUDIO_PORT_IS_MAIN | CLAP_AUDIO_PORT_SUPPORTS_64BITS),
                  CLAP_AUDIO_PORT_IS_MAIN | CLAP_AUDIO_PORT_SUPPORTS_64BITS);
        EXPECT_EQ(info.in_place_pair, 0u);
        EXPECT_FALSE(ports->get(i.plugin(), 1, input, &info));
        EXPECT_FALSE(ports->get(i.plugin(), 0, input, nullptr));
    }
    EXPECT_EQ(i.extension<clap_plugin_latency_t>(CLAP_EXT_LATENCY)->get(i.plugin()), 0u);
    const auto* render = i.extension<clap_plugin_render_t>(CLAP_EXT_RENDER);
    EXPECT_FALSE(render->has_hard_realtime_requirement(i.plugin()));
    EXPECT_TRUE(render->set(i.plugin(), CLAP_RENDER_OFFLINE));
    EXPECT_TRUE(render->set(i.plugin(), CLAP_RENDER_REALTIME));
    EXPECT_FALSE(render->set(i.plugin(), 7));
}

TEST(ClapEdition, ParametersAreTheTableInRealUnits) {
    Instance i;
    const clap_plugin_params_t* params = i.params();
    ASSERT_EQ(params->count(i.plugin()), static_cast<uint32_t>(param::count));
    std::set<clap_id> ids;
    for (uint32_t index = 0; index < param::count; ++index) {
        const param::Description& d = param::kTable[index];
        clap_param_info_t info;
        ASSERT_TRUE(params->get_info(i.plugin(), index, &info));
        ids.insert(info.id);
        EXPECT_STREQ(info.name, d.name);
        EXPECT_EQ(info.min_value, param::realMinimum(d)) << d.name;
        EXPECT_EQ(info.max_value, param::realMaximum(d)) << d.name;
        EXPECT_EQ(info.default_value, param::realDefault(d)) << d.name;
        EXPECT_TRUE(info.flags & CLAP_PARAM_IS_AUTOMATABLE);
        EXPECT_EQ((info.flags & CLAP_PARAM_IS_STEPPED) != 0, d.stepped()) << d.name;
        EXPECT_EQ((info.flags & CLAP_PARAM_IS_ENUM) != 0, d.stepped() && !param::isSwitch(d)) << d.name;
        EXPECT_EQ(i.value(info.id), info.default_value) << d.name;
    }
    EXPECT_EQ(ids.size(), static_cast<size_t>(param::count));
    clap_param_info_t info;
    double v;
    EXPECT_FALSE(params->get_info(i.plugin(), param::count, &info));
    EXPECT_FALSE(params->get_info(i.plugin(), 0, nullptr));
    EXPECT_FALSE(params->get_value(i.plugin(), param::count, &v));
    EXPECT_FALSE(params->get_value(i.plugin(), CLAP_INVALID_ID, &v));
    EXPECT_FALSE(params->get_value(i.plugin(), 0, nullptr));
}

// value → text → value → text gives the same text, the value parsed lies in the range (stepped
// ones on a step), every label reads back as its step, and nonsense is refused.
TEST(ClapEdition, ParameterTextsRoundTripAndNonsenseIsRefused) {
    Instance i;
    const clap_plugin_params_t* params = i.params();
    for (clap_id id = 0; id < param::count; ++id) {
        clap_param_info_t info;
        params->get_info(i.plugin(), id, &info);
        const param::Description& d = param::kTable[id];
        for (int k = -2; k <= 42; ++k) {
            const double value = info.min_value + (info.max_value - info.min_value) * k / 40.0;
            char text[CLAP_NAME_SIZE], again[CLAP_NAME_SIZE];
            double parsed;
            ASSERT_TRUE(params->value_to_text(i.plugin(), id, value, text, sizeof text)) << d.name << " " << value;
            ASSERT_TRUE(params->text_to_value(i.plugin(), id, text, &parsed)) << d.name << " '" << text << "'";
            EXPECT_GE(parsed, info.min_value);
            EXPECT_LE(parsed, info.max_value);
            ASSERT_TRUE(params->value_to_text(i.plugin(), id, parsed, again, sizeof again));
            EXPECT_STREQ(text, again) << d.name << " " << value;
        }
        for (int p = 0; p <= d.steps && d.stepped(); ++p) {
            double parsed;
            ASSERT_TRUE(params->text_to_value(i.plugin(), id, d.positions[p].label, &parsed)) << d.name;
            EXPECT_EQ(parsed, param::realOfPosition(d, p)) << d.positions[p].label;
        }
        char text[CLAP_NAME_SIZE];
        double parsed;
        EXPECT_FALSE(params->value_to_text(i.plugin(), id, kNaN, text, sizeof text));
        EXPECT_FALSE(params->value_to_text(i.plugin(), id, kInf, text, sizeof text));
        EXPECT_FALSE(params->value_to_text(i.plugin(), id, info.default_value, nullptr, 64));
        EXPECT_FALSE(params->value_to_text(i.plugin(), id, info.default_value, text, 0));
        EXPECT_FALSE(params->value_to_text(i.plugin(), id, info.default_value, text, 1));
        for (const char* nonsense : {"", "abc", "12 parsecs", "nan", "inf", "1e999", "--3"}) {
            EXPECT_FALSE(params->text_to_value(i.plugin(), id, nonsense, &parsed)) << d.name << " '" << nonsense << "'";
        }
        EXPECT_FALSE(params->text_to_value(i.plugin(), id, nullptr, &parsed));
        EXPECT_FALSE(params->text_to_value(i.plugin(), id, "1", nullptr));
    }
    double parsed;
    char text[64];
    EXPECT_FALSE(i.params()->value_to_text(i.plugin(), param::count, 0.0, text, sizeof text));
    EXPECT_FALSE(i.params()->text_to_value(i.plugin(), param::count, "0", &parsed));
    // Units and other spellings a user types.
    ASSERT_TRUE(i.params()->text_to_value(i.plugin(), param::hfFreq, "8.2 khz", &parsed));
    EXPECT_EQ(parsed, 8200.0);
    ASSERT_TRUE(i.params()->text_to_value(i.plugin(), param::hfFreq, "9000", &parsed));
    EXPECT_EQ(parsed, 8200.0);  // the nearest step
    ASSERT_TRUE(i.params()->text_to_value(i.plugin(), param::output, " +40 dB ", &parsed));
    EXPECT_EQ(parsed, 25.0);  // clamped
}

TEST(ClapEdition, RatesFrom1kHzTo768kHzRunAndAbsurdOnesAreRefused) {
    for (double rate : {1000.0, 8000.0, 22050.0, 44100.0, 48000.0, 96000.0, 192000.0, 384000.0, 768000.0, 1.5e6}) {
        Instance i;
        ASSERT_TRUE(i.activate(rate)) << rate;
        auto audio = testSignal<float>(2048);
        EXPECT_EQ(i.process(audio, audio, settingsAt(0, everySection())), CLAP_PROCESS_CONTINUE);
        EXPECT_TRUE(finiteAndAudible(audio)) << rate << " Hz";
    }
    for (double rate : {0.0, -44100.0, kNaN, kInf, 999.0, 1e7, 1e300}) {
        Instance i;
        EXPECT_FALSE(i.activate(rate)) << rate;
        auto audio = testSignal<float>(64);
        EXPECT_EQ(i.process(audio, audio), CLAP_PROCESS_ERROR) << "inactive after refusing " << rate;
    }
    Instance twice;
    ASSERT_TRUE(twice.activate(48000));
    EXPECT_FALSE(twice.plugin()->activate(twice.plugin(), 44100, 1, 512));
    Instance onAudioThread;  // as the host's thread check reports it
    onAudioThread.record().processing = true;
    EXPECT_FALSE(onAudioThread.activate(48000));
}

// In place and out of place, 32 and 64 bit, blocks from 1 to 16384 frames: the same output.
template <class Sample>
void checkBlockSizes() {
    for (int frames : {1, 2, 31, 256, 1000, 4096, 16384}) {
        Instance outOfPlace, inPlace;
        ASSERT_TRUE(outOfPlace.activate(44100) && inPlace.activate(44100));
        auto in = testSignal<Sample>(frames), out = silence<Sample>(frames), same = in;
        for (int call = 0; call < 3; ++call) {
            const EventList events = call == 0 ? settingsAt(0, everySection()) : EventList();
            ASSERT_EQ(outOfPlace.process(in, out, events), CLAP_PROCESS_CONTINUE);
            ASSERT_EQ(inPlace.process(same, same, events), CLAP_PROCESS_CONTINUE);
            ASSERT_TRUE(sameBits(out, same)) << frames << " frames, call " << call;
            ASSERT_TRUE(finiteAndAudible(out));
            in = testSignal<Sample>(frames, frames * (call + 1)), same = in;
        }
    }
}

TEST(ClapEdition, BlocksFrom1To16384InPlaceAndOutOfPlace32And64Bit) {
    checkBlockSizes<float>();
    checkBlockSizes<double>();
}

TEST(ClapEdition, MalformedProcessCallsAreRefusedButTheirValuesTaken) {
    Instance i;
    ASSERT_TRUE(i.activate(48000));
    EXPECT_EQ(i.plugin()->process(i.plugin(), nullptr), CLAP_PROCESS_ERROR);
    auto in32 = testSignal<float>(64);
    auto in64 = testSignal<double>(64), out64 = silence<double>(64);
    float* inputs32[2] = {in32[0].data(), in32[1].data()};
    double* outputs64[2] = {out64[0].data(), out64[1].data()};
    float* oneChannel[1] = {in32[0].data()};
    clap_audio_buffer_t input{}, output{};
    clap_process_t p{};
    p.frames_count = 64;
    const EventList events = settingsAt(3, {{param::output, 6.0}});
    p.in_events = events.list();

    EXPECT_EQ(i.process(p), CLAP_PROCESS_ERROR);  // no ports at all
    EXPECT_EQ(i.value(param::output), 6.0);
    input.channel_count = output.channel_count = 2;
    input.data32 = inputs32, output.data64 = outputs64;  // mixed precisions
    p.audio_inputs = &input, p.audio_outputs = &output, p.audio_inputs_count = p.audio_outputs_count = 1;
    EXPECT_EQ(i.process(p), CLAP_PROCESS_ERROR);
    input.data32 = oneChannel, input.channel_count = 1;
    EXPECT_EQ(i.process(p), CLAP_PROCESS_ERROR);
    input.data32 = nullptr, input.channel_count = 2;
    EXPECT_EQ(i.process(p), CLAP_PROCESS_ERROR);
    p.audio_inputs_count = 0;
    EXPECT_EQ(i.process(p), CLAP_PROCESS_ERROR);
    p.frames_count = 0;  // an empty block needs no buffers
    EXPECT_EQ(i.process(p), CLAP_PROCESS_CONTINUE);
    double* inputs64[2] = {in64[0].data(), in64[1].data()};
    input.data64 = inputs64, p.audio_inputs_count = 1, p.frames_count = 64;
    p.in_events = nullptr;  // without an event list the audio still runs
    EXPECT_EQ(i.process(p), CLAP_PROCESS_CONTINUE);
    EXPECT_TRUE(finiteAndAudible(out64));
}

// An event at frame k of a block gives exactly the output of two blocks split at k, for a
// parameter of every kind (those the engine reads per call and those it designs from), in both
// precisions, several events in one block included.
template <class Sample>
void checkSplitBlocks() {
    using namespace param;
    const std::vector<Setting> changes[] = {
        {{output, 12}},  {{phase, 0}},    {{muteHf, 1}},
        {{lowSlope, 6}}, {{hfGain, -18}}, {{lowPass, 6000}},
        {{mfType, 1}},   {{lfFreq, 35}},  {{highPass, 360}, {mfGain, 18}, {hfBandwidth, 0.4}}};
    constexpr int kFrames = 512;
    for (const auto& change : changes) {
        for (int k : {1, 17, 256, kFrames - 1}) {
            Instance whole, split;
            ASSERT_TRUE(whole.activate(48000) && split.activate(48000));
            auto warmUp = testSignal<Sample>(64), out = silence<Sample>(64);
            whole.process(warmUp, out, settingsAt(0, everySection()));
            split.process(warmUp, out, settingsAt(0, everySection()));

            auto in = testSignal<Sample>(kFrames, 64), wholeOut = silence<Sample>(kFrames);
            EventList events = settingsAt(k, change);
            events.value(k, change[0].first, change[0].second);  // a repeated value changes nothing more
            ASSERT_EQ(whole.process(in, wholeOut, events), CLAP_PROCESS_CONTINUE);

            Stereo<Sample> first, second, firstOut = silence<Sample>(k), secondOut = silence<Sample>(kFrames - k);
            for (int c = 0; c < 2; ++c) {
                first[c].assign(in[c].begin(), in[c].begin() + k);
                second[c].assign(in[c].begin() + k, in[c].end());
            }
            split.process(first, firstOut);
            split.process(second, secondOut, settingsAt(0, change));
            for (int c = 0; c < 2; ++c) firstOut[c].insert(firstOut[c].end(), secondOut[c].begin(), secondOut[c].end());
            EXPECT_TRUE(sameBits(wholeOut, firstOut))
                << sizeof(Sample) * 8 << "-bit, parameter " << change[0].first << " at frame " << k;
            // The change shows: the block differs from one without it after frame k.
            Instance unchanged;
            unchanged.activate(48000);
            unchanged.process(warmUp, out, settingsAt(0, everySection()));
            auto plain = silence<Sample>(kFrames);
            unchanged.process(in, plain);
            EXPECT_FALSE(sameBits(plain, wholeOut)) << "parameter " << change[0].first;
        }
    }
}

TEST(ClapEdition, EventAtFrameKEqualsTwoBlocksSplitAtK) {
    checkSplitBlocks<float>();
    checkSplitBlocks<double>();
}

// Random values (out of range, not a number, infinite), unknown ids, events of other kinds and
// namespaces, short headers, unsorted and late times: the output stays finite, the values stay in
// their ranges, and events that are not this plug-in's change nothing.
TEST(ClapEdition, RandomValuesAndEventsOfEveryKind) {
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    Instance fuzzed, plain, foreign;
    ASSERT_TRUE(fuzzed.activate(44100) && plain.activate(44100) && foreign.activate(44100));
    for (int block = 0; block < 200; ++block) {
        const int frames = 1 + static_cast<int>(random() % 700);
        // The first block sets every section, in both of the instances compared.
        EventList fuzz, mine = settingsAt(0, block == 0 ? everySection() : std::vector<Setting>()), alien = mine;
        for (int e = 0; e < 12; ++e) {
            const uint32_t time = static_cast<uint32_t>(random() % (frames + 40));
            const clap_id id = static_cast<clap_id>(random() % (param::count + 3));
            clap_param_info_t info{};
            fuzzed.params()->get_info(fuzzed.plugin(), id < param::count ? id : 0, &info);
            const double special[] = {kNaN, kInf, -kInf, 1e30, -1e30};
            const double value = random() % 8 == 0
                                     ? special[random() % 5]
                                     : info.min_value + (info.max_value - info.min_value) * (unit(random) * 1.4 - 0.2);
            fuzz.value(time, id, value);
            fuzz.raw(time, static_cast<uint16_t>(1 + random() % 500), CLAP_EVENT_PARAM_VALUE,
                     sizeof(clap_event_param_value_t));
            fuzz.raw(time, CLAP_CORE_EVENT_SPACE_ID, static_cast<uint16_t>(random() % 16), sizeof(clap_event_header_t));
            alien.raw(time, 77, CLAP_EVENT_PARAM_VALUE, sizeof(clap_event_param_value_t));
            alien.raw(time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_NOTE_ON, sizeof(clap_event_note_t));
            alien.raw(time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, sizeof(clap_event_header_t));
        }
        auto audio = testSignal<float>(frames, block * 700), same = audio, other = audio;
        ASSERT_EQ(fuzzed.process(audio, audio, fuzz), CLAP_PROCESS_CONTINUE);
        ASSERT_EQ(plain.process(same, same, mine), CLAP_PROCESS_CONTINUE);
        ASSERT_EQ(foreign.process(other, other, alien), CLAP_PROCESS_CONTINUE);
        for (const auto& channel : audio) {
            for (float s : channel) ASSERT_TRUE(std::isfinite(s)) << "block " << block;
        }
        ASSERT_TRUE(sameBits(same, other)) << "foreign events changed block " << block;
        for (clap_id id = 0; id < param::count; ++id) {
            clap_param_info_t info;
            fuzzed.params()->get_info(fuzzed.plugin(), id, &info);
            const double v = fuzzed.value(id);
            ASSERT_TRUE(v >= info.min_value && v <= info.max_value) << "parameter " << id << ": " << v;
        }
    }
}

TEST(ClapEdition, StateRoundTripsThroughSmallReadsAndMovesBetweenInstances) {
    Instance source, copy;
    ASSERT_TRUE(source.activate(44100) && copy.activate(44100));
    source.flush(settingsAt(0, everySection()));
    const std::vector<uint8_t> saved = source.saveState();
    ASSERT_EQ(saved.size(), 4u * param::count);
    ASSERT_TRUE(source.loadState(saved));
    EXPECT_EQ(source.saveState(), saved);
    for (size_t perRead : {size_t{1}, size_t{3}, size_t{7}}) {
        Instance other;
        ASSERT_TRUE(other.loadState(saved, perRead)) << perRead << " bytes per read";
        EXPECT_EQ(other.saveState(), saved);
        EXPECT_GE(other.record().rescans, 1);  // the host is told the values changed
    }
    ASSERT_TRUE(copy.loadState(saved));
    for (clap_id id = 0; id < param::count; ++id) EXPECT_EQ(copy.value(id), source.value(id)) << id;
    auto a = testSignal<float>(1000), b = a;
    source.process(a, a);
    copy.process(b, b);
    EXPECT_TRUE(sameBits(a, b));
}

TEST(ClapEdition, InvalidStatesAreRefusedAndChangeNothing) {
    Instance i;
    i.flush(settingsAt(0, {{param::hfFreq, 3900}, {param::mfGain, -4}}));
    const std::vector<uint8_t> before = i.saveState();
    std::vector<uint8_t> outOfRange = before, notANumber = before, random(before.size());
    const float big = 1.5f, nan = std::numeric_limits<float>::quiet_NaN();
    std::memcpy(&outOfRange[8], &big, 4);
    std::memcpy(&notANumber[20], &nan, 4);
    std::mt19937 generator(7);
    std::vector<std::vector<uint8_t>> invalid = {{}, {1, 2, 3}, outOfRange, notANumber};
    invalid.emplace_back(before.begin(), before.end() - 1);
    invalid.push_back(before), invalid.back().push_back(0);
    for (int r = 0; r < 20; ++r) {
        for (auto& byte : random) byte = static_cast<uint8_t>(generator());
        invalid.push_back(random);
    }
    for (const auto& bytes : invalid) {
        EXPECT_FALSE(i.loadState(bytes)) << bytes.size() << " bytes";
        EXPECT_FALSE(i.loadState(bytes, 2)) << bytes.size() << " bytes, 2 per read";
    }
    i.record().processing = true;  // a load on the audio thread, as the host's thread check reports it
    EXPECT_FALSE(i.loadState(before));
    i.record().processing = false;
    EXPECT_FALSE(i.loadState(before, SIZE_MAX, 50));  // a read error midway
    EXPECT_FALSE(i.loadState(before, SIZE_MAX, 0));
    EXPECT_FALSE(i.state()->load(i.plugin(), nullptr));
    EXPECT_FALSE(i.state()->save(i.plugin(), nullptr));
    clap_istream_t noRead{nullptr, nullptr};
    EXPECT_FALSE(i.state()->load(i.plugin(), &noRead));
    EXPECT_EQ(i.saveState(), before);
    EXPECT_EQ(i.record().rescans, 0);
}

// Flush takes values while the plug-in is not processing: inactive, and active between blocks.
TEST(ClapEdition, FlushWithAndWithoutAudio) {
    Instance flushedFirst, flushedActive, inBlock;
    flushedFirst.flush(settingsAt(0, everySection()));
    for (const Setting& s : everySection()) EXPECT_EQ(flushedFirst.value(s.first), s.second) << s.first;
    ASSERT_TRUE(flushedFirst.activate(96000) && flushedActive.activate(96000) && inBlock.activate(96000));
    flushedActive.flush(settingsAt(0, everySection()));
    flushedActive.params()->flush(flushedActive.plugin(), nullptr, nullptr);
    auto a = testSignal<double>(777), b = a, c = a;
    flushedFirst.process(a, a);
    flushedActive.process(b, b);
    inBlock.process(c, c, settingsAt(0, everySection()));
    EXPECT_TRUE(sameBits(a, c));
    EXPECT_TRUE(sameBits(b, c));
}

TEST(ClapEdition, TailFollowsTheSectionsAndTheHostHearsOfChanges) {
    Instance i;
    const auto* tail = i.extension<clap_plugin_tail_t>(CLAP_EXT_TAIL);
    ASSERT_TRUE(i.activate(48000));
    EXPECT_EQ(tail->get(i.plugin()), 0u);  // every section off
    auto audio = testSignal<float>(32);
    i.process(audio, audio, settingsAt(5, {{param::highPass, 15}}));
    EXPECT_EQ(tail->get(i.plugin()), 80000u);  // 25 periods of 15 Hz at 48 kHz
    EXPECT_EQ(i.record().tailChanges, 1);
    i.process(audio, audio, settingsAt(0, {{param::muteHighPass, 1}, {param::mfFreq, 1600}}));
    EXPECT_EQ(tail->get(i.plugin()), 750u);
    i.flush(settingsAt(0, {{param::analog, 1}}));
    EXPECT_GE(tail->get(i.plugin()), static_cast<uint32_t>(INT32_MAX));  // the noise never ends
    i.process(audio, audio);
    EXPECT_EQ(i.record().tailChanges, 3);
    i.process(audio, audio, settingsAt(0, {{param::output, 3}}));
    EXPECT_EQ(i.record().tailChanges, 3);  // unchanged tail, no news
}

}  // namespace
}  // namespace clap_test
