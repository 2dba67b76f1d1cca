// qx71-response on the QX71 of this build: the measured curves agree with the response computed
// from the engine's own coefficients, for settings that run every section type, at three rates.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "engine_curve.h"
#include "engine_fixture.h"
#include "render_cli.h"
#include "response_csv_reader.h"

namespace {

using Settings = std::vector<std::pair<int, float>>;

struct NamedSettings {
    const char* name;
    Settings values;
    std::vector<std::string> extraArguments;
};

const NamedSettings kSettings[] = {
    {"type-A shelves, output +10 dB, polarity inverted",
     {{param::hfFreq, 3 / 7.0f},
      {param::hfGain, 0.8333333f},
      {param::lfFreq, 5 / 7.0f},
      {param::lfGain, 0.25f},
      {param::output, 0.7f},
      {param::phase, 1.0f}},
     {}},
    {"type-B shelves",
     {{param::hfFreq, 1 / 7.0f},
      {param::hfGain, 0.2f},
      {param::hfType, 1.0f},
      {param::lfFreq, 2 / 7.0f},
      {param::lfGain, 0.9f},
      {param::lfType, 1.0f}},
     {}},
    {"bells of both types",
     {{param::hfFreq, 6 / 7.0f},
      {param::hfMode, 1.0f},
      {param::hfType, 1.0f},
      {param::hfGain, 0.1f},
      {param::hfBandwidth, 0.8f},
      {param::mfFreq, 4 / 7.0f},
      {param::mfGain, 0.75f},
      {param::mfBandwidth, 0.2f},
      {param::lfFreq, 1 / 7.0f},
      {param::lfMode, 1.0f},
      {param::lfGain, 0.7f},
      {param::lfType, 1.0f},
      {param::lfBandwidth, 0.3f}},
     {}},
    {"6 and 18 dB/oct pass filters, a muted high band",
     {{param::highPass, 1.0f},
      {param::highSlope, 0.0f},
      {param::lowPass, 0.2f},
      {param::lowSlope, 2 / 3.0f},
      {param::hfFreq, 1.0f},
      {param::hfMode, 1.0f},
      {param::hfGain, 1.0f},
      {param::muteHf, 1.0f}},
     {}},
    {"12 and 24 dB/oct pass filters",
     {{param::highPass, 0.2f}, {param::highSlope, 1 / 3.0f}, {param::lowPass, 1.0f}, {param::lowSlope, 1.0f}},
     {}},
    // The Analog stage's noise is no part of the designs: a 60 dB louder impulse keeps it far
    // below the tolerances.
    {"Analog stage and a mid cut",
     {{param::analog, 1.0f}, {param::mfFreq, 1 / 7.0f}, {param::mfGain, 0.3f}, {param::mfType, 1.0f}},
     {"--level", "60"}},
};

// Below this level the recorded tail (cut at -150 dB) limits how exact the group delay is.
constexpr double kDelayFloorDb = -80.0;

double wrappedDegrees(double degrees) { return degrees - 360.0 * std::round(degrees / 360.0); }

// Group delay in ms from the phase slope around f.
double groupDelayMs(const EngineCurve& curve, double f) {
    const double step = f * 1e-5;
    const double turn = std::arg(curve.at(f + step) / curve.at(f - step));
    return -turn / (2.0 * kPi * 2.0 * step) * 1000.0;
}

class ResponseQx71Test : public ::testing::TestWithParam<int> {};

}  // namespace

TEST_P(ResponseQx71Test, AgreesWithTheEngineDesigns) {
    const int rate = GetParam();
    const std::string dir = scratchDirectory();
    for (const NamedSettings& setting : kSettings) {
        SCOPED_TRACE(std::string(setting.name) + " at " + std::to_string(rate) + " Hz");
        float values[param::count];
        std::copy(std::begin(kDefaultValues), std::end(kDefaultValues), values);
        std::vector<std::string> arguments = setting.extraArguments;
        arguments.insert(arguments.end(), {"--rate", std::to_string(rate), "--out", dir + "/curve.csv"});
        for (const auto& [index, value] : setting.values) {
            values[index] = value;
            char text[48];
            std::snprintf(text, sizeof text, "%d=%.9g", index, static_cast<double>(value));
            arguments.insert(arguments.end(), {"--set", text});
        }
        const RenderRun run = runTool(QX71_RESPONSE, arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::vector<ResponseRow> rows = readResponseCsv(dir + "/curve.csv");
        ASSERT_EQ(rows.size(), 1000u);

        const EngineCurve expected(values, rate);
        double worstDb = 0.0, worstDegrees = 0.0, worstDelay = 0.0;
        int compared = 0;
        for (const ResponseRow& row : rows) {
            if (row.frequency < 20.0 || row.frequency > 0.45 * rate) continue;
            const std::complex<double> h = expected.at(row.frequency);
            const double delay = groupDelayMs(expected, row.frequency);
            for (int c = 0; c < 2; ++c) {
                worstDb = std::max(worstDb, std::fabs(row.magnitudeDb[c] - magnitudeDb(h)));
                worstDegrees =
                    std::max(worstDegrees, std::fabs(wrappedDegrees(row.phaseDegrees[c] - std::arg(h) * 180.0 / kPi)));
                if (magnitudeDb(h) > kDelayFloorDb) {
                    worstDelay = std::max(worstDelay, std::fabs(row.groupDelayMs[c] - delay) - 0.01 * std::fabs(delay));
                }
            }
            ++compared;
        }
        EXPECT_GT(compared, 850);
        EXPECT_LE(worstDb, 0.01);
        EXPECT_LE(worstDegrees, 0.1);
        // Group delay within 1 % and 1 µs where the response is above kDelayFloorDb.
        EXPECT_LE(worstDelay, 1e-3);
        std::printf("%-50s %6d Hz: worst %.2e dB, %.2e deg, group delay %.2e ms beyond 1 %%\n", setting.name, rate,
                    worstDb, worstDegrees, worstDelay);
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, ResponseQx71Test, ::testing::Values(44100, 48000, 96000));
