// qx71-render end to end with the fixture gain plug-in: errors, state files and the audio path.
#include <gtest/gtest.h>

#include <sndfile.h>

#include "byte_file.h"
#include "render_cli.h"
#include "wav_file.h"

using qx71::render::Audio;
using qx71::render::readBytes;
using qx71::render::readWav;
using qx71::render::writeFloatWav;

namespace {

std::string writeMonoInput(const std::string& directory, const std::vector<double>& samples) {
    const std::string path = directory + "/in.wav";
    Audio audio;
    audio.sampleRate = 48000;
    audio.channels = {samples};
    writeFloatWav(path, audio);
    return path;
}

std::string writeAiff(const std::string& directory) {
    const std::string path = directory + "/in.aiff";
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 1;
    info.format = SF_FORMAT_AIFF | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    const short samples[4] = {0, 100, -100, 0};
    sf_writef_short(file, samples, 4);
    sf_close(file);
    return path;
}

}  // namespace

TEST(RenderCliTest, RejectsBadInputWithOneLineAndNonZeroExit) {
    const std::string dir = scratchDirectory();
    const std::string out = dir + "/out.wav";
    std::ofstream(dir + "/text.wav") << "not audio\n";
    expectOneLineError(runRender({"--plugin", FIXTURE_GAIN, "--in", dir + "/missing.wav", "--out", out}), 1,
                       "not found");
    expectOneLineError(runRender({"--plugin", FIXTURE_GAIN, "--in", dir + "/text.wav", "--out", out}), 1,
                       "is not a WAV file");
    expectOneLineError(runRender({"--plugin", FIXTURE_GAIN, "--in", writeAiff(dir), "--out", out}), 1,
                       "is not a WAV file");
    expectOneLineError(runRender({"--plugin", FIXTURE_GAIN, "--signal", "impulse", "--out", out, "--set", "Volume=1"}),
                       1, "unknown parameter 'Volume'");
    expectOneLineError(runRender({"--plugin", FIXTURE_GAIN, "--signal", "impulse", "--out", out, "--set", "Gain=2"}), 2,
                       "outside [0, 1]");
    expectOneLineError(runRender({"--plugin", FIXTURE_NO_ENTRY, "--signal", "impulse", "--out", out}), 1,
                       "is not a VST 2.4 plug-in");
    expectOneLineError(runRender({"--plugin", NOT_A_LIBRARY, "--signal", "impulse", "--out", out}), 1,
                       "is not a loadable library");
    expectOneLineError(runRender({"--plugin", FIXTURE_REFUSES, "--signal", "impulse", "--out", out}), 1,
                       "plug-in refused to load");
    expectOneLineError(runRender({"--plugin", FIXTURE_GAIN, "--load-state", dir + "/none.bin", "--list"}), 1,
                       "cannot read");
    expectOneLineError(runRender({"--nonsense"}), 2, "unknown option");
    EXPECT_FALSE(std::ifstream(out).good()) << "no output may be written after an error";
}

TEST(RenderCliTest, NeverOverwritesItsInputs) {
    const std::string dir = scratchDirectory();
    const std::string input = writeMonoInput(dir, {0.5, 0.25});
    const std::vector<std::uint8_t> before = readBytes(input);
    expectOneLineError(runRender({"--plugin", FIXTURE_GAIN, "--in", input, "--out", input}), 2, "never overwrites");
    expectOneLineError(runRender({"--plugin", FIXTURE_GAIN, "--in", input, "--out",
                                  dir + "/../" + dir.substr(dir.rfind('/') + 1) + "/in.wav"}),
                       2, "never overwrites");
    expectOneLineError(
        runRender({"--plugin", FIXTURE_GAIN, "--in", input, "--out", dir + "/o.wav", "--save-state", input}), 2,
        "never overwrites");
    const std::string plugin = dir + "/plugin.so";
    std::system(("cp '" FIXTURE_GAIN "' '" + plugin + "'").c_str());
    const std::vector<std::uint8_t> pluginBefore = readBytes(plugin);
    expectOneLineError(runRender({"--plugin", plugin, "--signal", "noise", "--out", plugin}), 2, "never overwrites");
    EXPECT_EQ(readBytes(input), before);
    EXPECT_EQ(readBytes(plugin), pluginBefore);
}

TEST(RenderCliTest, RendersThroughThePlugInWithSettings) {
    const std::string dir = scratchDirectory();
    const std::string input = writeMonoInput(dir, {0.5, -0.25, 0.125});
    const std::string out = dir + "/out.wav";
    const RenderRun run = runRender({"--plugin", FIXTURE_GAIN, "--in", input, "--out", out, "--set", "Gain=1", "--set",
                                     "Flip Pol=1", "--block", "2"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("set 0 'Gain' = 1"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("set 1 'Flip Pol' = 1"), std::string::npos) << run.out;
    const Audio result = readWav(out);
    EXPECT_EQ(result.sampleRate, 48000);
    const std::vector<double> expected = {-1.0, 0.5, -0.25};  // gain 2, inverted, mono fed to both
    EXPECT_EQ(result.channels, (std::vector<std::vector<double>>{expected, expected}));
}

TEST(RenderCliTest, SettingsByIndexAndDoublePrecision) {
    const std::string dir = scratchDirectory();
    const std::string out = dir + "/out.wav";
    const RenderRun run = runRender({"--plugin", FIXTURE_GAIN, "--signal", "impulse", "--seconds", "0.001", "--rate",
                                     "8000", "--double", "--set", "0=0.25", "--out", out});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("double precision"), std::string::npos) << run.out;
    const Audio result = readWav(out);
    EXPECT_EQ(result.sampleRate, 8000);
    ASSERT_EQ(result.frames(), 8);
    EXPECT_EQ(result.channels[0][0], 0.5);
    EXPECT_EQ(result.channels[1][0], 0.5);
    EXPECT_EQ(result.channels[0][1], 0.0);
}

TEST(RenderCliTest, SavedStateLoadsBackBeforeTheSettings) {
    const std::string dir = scratchDirectory();
    const std::string state = dir + "/state.bin";
    ASSERT_EQ(runRender({"--plugin", FIXTURE_GAIN, "--set", "Gain=0.125", "--set", "Flip Pol=1", "--save-state", state})
                  .exitCode,
              0);
    EXPECT_EQ(readBytes(state).size(), 8u);
    // The loaded state applies first; --set then overrides one of its values.
    const RenderRun run = runRender({"--plugin", FIXTURE_GAIN, "--load-state", state, "--set", "Gain=1", "--list"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("loaded state: 8 bytes"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("0  Gain       x2     1.000000"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("1  Flip Pol   n/y    1.000000"), std::string::npos) << run.out;
}
