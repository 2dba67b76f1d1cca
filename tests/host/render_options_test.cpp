// qx71-render's command line: what it accepts and the one-line errors for what it cannot use.
#include <gtest/gtest.h>

#include "render_errors.h"
#include "render_options.h"

using namespace qx71::render;

namespace {

RenderOptions parse(const std::vector<std::string>& arguments) { return parseRenderOptions(arguments, "default.so"); }

std::string usageErrorOf(const std::vector<std::string>& arguments) {
    try {
        parse(arguments);
    } catch (const UsageError& error) {
        return error.what();
    }
    return "(accepted)";
}

}  // namespace

TEST(RenderOptionsTest, ReadsEveryOption) {
    const RenderOptions options =
        parse({"--plugin", "eq.so",        "--signal", "noise",        "--seconds", "2.5",   "--out",        "o.wav",
               "--rate",   "48000",        "--block",  "64",           "--double",  "--set", "HF Gain=0.75", "--set",
               "3=0",      "--load-state", "a.bin",    "--save-state", "b.bin",     "--list"});
    EXPECT_EQ(options.pluginPath, "eq.so");
    ASSERT_TRUE(options.signal);
    EXPECT_EQ(*options.signal, SignalKind::Noise);
    EXPECT_EQ(options.seconds, 2.5);
    EXPECT_EQ(options.outputPath, "o.wav");
    EXPECT_EQ(options.sampleRate, 48000);
    EXPECT_EQ(options.blockSize, 64);
    EXPECT_TRUE(options.doublePrecision);
    ASSERT_EQ(options.settings.size(), 2u);
    EXPECT_EQ(options.settings[0].key, "HF Gain");
    EXPECT_EQ(options.settings[0].value, 0.75f);
    EXPECT_EQ(options.settings[1].key, "3");
    EXPECT_EQ(options.loadStatePath, "a.bin");
    EXPECT_EQ(options.saveStatePath, "b.bin");
    EXPECT_TRUE(options.listParameters);
}

TEST(RenderOptionsTest, DefaultsToTheBuiltPlugInAndSinglePrecision) {
    const RenderOptions options = parse({"--in", "x.wav", "--out", "y.wav"});
    EXPECT_EQ(options.pluginPath, "default.so");
    EXPECT_FALSE(options.sampleRate);
    EXPECT_EQ(options.blockSize, 512);
    EXPECT_FALSE(options.doublePrecision);
    EXPECT_TRUE(parse({"--help"}).help);
}

TEST(RenderOptionsTest, RejectsCommandLinesThatCannotWork) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--out"}, "--out needs a value"},
        {{}, "nothing to do"},
        {{"--in", "a.wav"}, "--out FILE.wav is needed"},
        {{"--out", "a.wav"}, "--out needs an input"},
        {{"--in", "a.wav", "--signal", "sweep", "--out", "b.wav"}, "either --in or --signal"},
        {{"--signal", "chirp", "--out", "b.wav"}, "sweep, noise or impulse, not 'chirp'"},
        {{"--signal", "sweep", "--seconds", "0", "--out", "b.wav"}, "--seconds needs a duration"},
        {{"--list", "--rate", "44.1k"}, "--rate needs a number, not '44.1k'"},
        {{"--list", "--rate", "100"}, "--rate needs a whole number from 8000"},
        {{"--list", "--block", "0"}, "--block needs a whole number from 1"},
        {{"--list", "--block", "2.5"}, "--block needs a whole number"},
        {{"--list", "--set", "Output"}, "--set needs NAME=VALUE"},
        {{"--list", "--set", "=0.5"}, "--set needs NAME=VALUE"},
        {{"--list", "--set", "Output=1.5"}, "outside [0, 1]"},
        {{"--list", "--set", "Output=-0.01"}, "outside [0, 1]"},
        {{"--list", "--set", "Output=nan"}, "needs a number, not 'nan'"},
        {{"--list", "--set", "Output="}, "needs a number"},
    };
    for (const auto& [arguments, expected] : cases) {
        const std::string message = usageErrorOf(arguments);
        EXPECT_NE(message.find(expected), std::string::npos) << "got: " << message;
        EXPECT_EQ(message.find('\n'), std::string::npos);
    }
    EXPECT_EQ(usageErrorOf({"--list"}), "(accepted)");
}

TEST(RenderOptionsTest, NeedsAPlugInWhenTheBuildHasNoDefault) {
    EXPECT_THROW(parseRenderOptions({"--list"}, ""), UsageError);
    EXPECT_NO_THROW(parseRenderOptions({"--list", "--plugin", "x.so"}, ""));
}

TEST(RenderOptionsTest, SplitsASettingAtItsLastEqualsSign) {
    const ParameterSetting setting = parseParameterSetting("A=B=1e-3");
    EXPECT_EQ(setting.key, "A=B");
    EXPECT_EQ(setting.value, 0.001f);
    EXPECT_EQ(parseParameterSetting("Mute HPF=1").value, 1.0f);
    EXPECT_EQ(parseParameterSetting("Mute HPF=0").value, 0.0f);
}
