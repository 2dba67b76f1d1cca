// qx71-response run as a user would: the one-line errors of its command line, and a curve of a
// third-party equalizer.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <regex>

#include "byte_file.h"
#include "render_cli.h"
#include "response_csv_reader.h"

using qx71::render::readBytes;

namespace {

RenderRun runResponse(const std::vector<std::string>& arguments) { return runTool(QX71_RESPONSE, arguments); }

void expectError(const std::vector<std::string>& arguments, int exitCode, const std::string& fragment) {
    SCOPED_TRACE(fragment);
    expectOneLineError(runResponse(arguments), exitCode, fragment, "qx71-response");
}

// The magnitude at f, interpolated on the log-frequency axis.
double magnitudeAt(const std::vector<ResponseRow>& rows, double f) {
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i].frequency >= f) {
            const double t = std::log(f / rows[i - 1].frequency) / std::log(rows[i].frequency / rows[i - 1].frequency);
            return rows[i - 1].magnitudeDb[0] * (1.0 - t) + rows[i].magnitudeDb[0] * t;
        }
    }
    return NAN;
}

// The number the report shows for a parameter: "set I 'NAME' = V (shown as TEXT LABEL)".
double shownValue(const std::string& report, const std::string& name) {
    std::smatch match;
    const std::regex line("'" + name + "' = [^(]*\\(shown as ([-+0-9.]+)");
    return std::regex_search(report, match, line) ? std::stod(match[1]) : NAN;
}

}  // namespace

TEST(ResponseCliTest, RejectsBadInputWithOneLineAndNonZeroExit) {
    const std::string dir = scratchDirectory();
    const std::string out = dir + "/out.csv";
    const std::string gain = FIXTURE_GAIN;
    expectError({"--nonsense"}, 2, "unknown option");
    expectError({"--plugin", gain}, 2, "nothing to do");
    expectError({"--plugin", gain, "--out", out, "--points", "1"}, 2, "--points needs a whole number from 2");
    expectError({"--plugin", gain, "--out", out, "--points", "many"}, 2, "--points needs a number");
    expectError({"--plugin", gain, "--out", out, "--length", "0"}, 2, "--length needs a whole number from 1");
    expectError({"--plugin", gain, "--out", out, "--precision", "half"}, 2, "--precision needs single or double");
    expectError({"--plugin", gain, "--out", out, "--level", "80"}, 2, "--level needs a level from -60 to 60");
    expectError({"--plugin", gain, "--out", out, "--rate", "100"}, 2, "--rate needs a whole number");
    expectError({"--plugin", gain, "--out", out, "--set", "Gain=1.5"}, 2, "outside [0, 1]");
    expectError({"--plugin", gain, "--out", out, "--set", "Volume=1"}, 1, "unknown parameter 'Volume'");
    expectError({"--plugin", gain, "--out", out, "--load-state", dir + "/none.bin"}, 1, "cannot read");
    expectError({"--plugin", FIXTURE_NO_ENTRY, "--out", out}, 1, "is not a VST 2.4 plug-in");
    expectError({"--plugin", NOT_A_LIBRARY, "--out", out}, 1, "is not a loadable library");
    expectError({"--plugin", FIXTURE_REFUSES, "--out", out}, 1, "plug-in refused to load");
    expectError({"--plugin", gain, "--out", dir + "/no/such/folder.csv"}, 1, "cannot write");
    // A plug-in whose output stays silent has no response to measure.
    expectError({"--plugin", gain, "--out", out, "--set", "Gain=0"}, 1, "stayed silent");
    EXPECT_FALSE(std::ifstream(out).good()) << "no output may be written after an error";
}

TEST(ResponseCliTest, NeverOverwritesThePluginOrTheStateFile) {
    const std::string dir = scratchDirectory();
    const std::string plugin = dir + "/plugin.so";
    const std::string state = dir + "/state.bin";
    std::system(("cp '" FIXTURE_GAIN "' '" + plugin + "'").c_str());
    std::ofstream(state, std::ios::binary) << std::string(8, '\0');
    const std::vector<std::uint8_t> pluginBefore = readBytes(plugin);
    const std::vector<std::uint8_t> stateBefore = readBytes(state);
    expectError({"--plugin", plugin, "--out", plugin}, 2, "never overwrites");
    expectError({"--plugin", plugin, "--load-state", state, "--out", dir + "/./state.bin"}, 2, "never overwrites");
    EXPECT_EQ(readBytes(plugin), pluginBefore);
    EXPECT_EQ(readBytes(state), stateBefore);
}

// The fixture is a plain gain (2 × Gain, polarity by Flip Pol): a flat curve at that gain.
TEST(ResponseCliTest, TakesPrecisionLengthPointsBlockAndLevel) {
    const std::string dir = scratchDirectory();
    const RenderRun run = runResponse({"--plugin",    FIXTURE_GAIN, "--out",    dir + "/gain.csv",
                                       "--set",       "Gain=0.25",  "--set",    "Flip Pol=1",
                                       "--precision", "single",     "--length", "64",
                                       "--points",    "50",         "--block",  "7",
                                       "--level",     "-20",        "--rate",   "96000"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("measuring at 96000 Hz in single precision, blocks of 7, impulse at -20 dBFS"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("impulse response: 64 frames"), std::string::npos) << run.out;
    const std::vector<ResponseRow> rows = readResponseCsv(dir + "/gain.csv");
    ASSERT_EQ(rows.size(), 50u);
    EXPECT_DOUBLE_EQ(rows.front().frequency, 10.0);
    EXPECT_LT(rows.back().frequency, 48000.0);
    EXPECT_GT(rows.back().frequency, 40000.0);
    for (const ResponseRow& row : rows) {
        for (int c = 0; c < 2; ++c) {
            EXPECT_NEAR(row.magnitudeDb[c], -6.0206, 1e-4) << row.frequency;
            EXPECT_NEAR(std::fabs(row.phaseDegrees[c]), 180.0, 1e-3) << row.frequency;
            EXPECT_NEAR(row.groupDelayMs[c], 0.0, 1e-9) << row.frequency;
        }
    }
}

TEST(ResponseCliTest, HelpNamesEveryOption) {
    const RenderRun run = runResponse({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* option : {"--plugin", "--out", "--rate", "--precision", "--length", "--points", "--level",
                               "--block", "--set", "--load-state", "--list", "--help"}) {
        EXPECT_NE(run.out.find(std::string("  ") + option + " "), std::string::npos) << option;
    }
}

// LSP's parametric equalizer (Debian's lsp-plugins-vst): a bell's gain at its centre frequency.
TEST(ResponseCliTest, MeasuresTheBellOfAThirdPartyEqualizer) {
    constexpr const char* kLsp = "/usr/lib/vst/lsp-plugins/para-equalizer-x16-stereo.so";
    struct stat info {};
    if (stat(kLsp, &info) != 0) {
        GTEST_SKIP() << kLsp << " is absent: install the Debian package lsp-plugins-vst";
    }
    const std::string dir = scratchDirectory();
    // Filter 0 as a bell (ft_0 0.15): about 1.07 kHz, +7.2 dB, Q 1; then 5.9 kHz, -10.8 dB, Q 3.
    for (const std::vector<std::string>& bell :
         {std::vector<std::string>{"f_0=0.6", "g_0=0.6", "q_0=0.01"}, {"f_0=0.82", "g_0=0.35", "q_0=0.03"}}) {
        std::vector<std::string> arguments = {"--plugin",       kLsp,    "--rate",   "48000", "--out",
                                              dir + "/lsp.csv", "--set", "ft_0=0.15"};
        for (const std::string& setting : bell) arguments.insert(arguments.end(), {"--set", setting});
        const RenderRun run = runResponse(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const double centre = shownValue(run.out, "f_0");
        const double gain = shownValue(run.out, "g_0");
        ASSERT_TRUE(std::isfinite(centre) && std::isfinite(gain)) << run.out;
        EXPECT_GT(std::fabs(gain), 5.0) << run.out;
        const std::vector<ResponseRow> rows = readResponseCsv(dir + "/lsp.csv");
        ASSERT_EQ(rows.size(), 1000u);
        EXPECT_NEAR(magnitudeAt(rows, centre), gain, 0.1) << centre << " Hz";
        EXPECT_NEAR(magnitudeAt(rows, centre / 8.0), 0.0, 0.2) << "three octaves below";
    }
}
