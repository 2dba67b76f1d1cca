// qx71-render with its default plug-in, the QX71 of this build.
#include <gtest/gtest.h>

#include <cmath>

#include "render_cli.h"
#include "wav_file.h"

using qx71::render::Audio;
using qx71::render::readWav;

namespace {

// The transparent setting still adds the engine's denormal offset, three times 1e-15 per sample.
constexpr double kTransparentOffset = 3e-15;

Audio renderImpulse(const std::string& out, const std::vector<std::string>& extra) {
    std::vector<std::string> arguments = {"--signal", "impulse", "--seconds", "0.05", "--out", out};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    const RenderRun run = runRender(arguments);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("QX71 Channel EQ"), std::string::npos) << run.out;
    return readWav(out);
}

}  // namespace

TEST(RenderQx71Test, DefaultsPassAnImpulseUnchangedButForTheOffset) {
    const std::string dir = scratchDirectory();
    for (const std::vector<std::string>& precision : {std::vector<std::string>{}, {"--double"}}) {
        const Audio result = renderImpulse(dir + "/out.wav", precision);
        ASSERT_EQ(result.channels.size(), 2u);
        ASSERT_EQ(result.frames(), 2205);
        for (const std::vector<double>& channel : result.channels) {
            EXPECT_NEAR(channel[0], 1.0, 1e-7) << precision.size();
            for (long i = 1; i < result.frames(); ++i) {
                ASSERT_LE(std::fabs(channel[i]), kTransparentOffset * (1.0 + 1e-6))
                    << precision.size() << " frame " << i;
            }
        }
    }
}

TEST(RenderQx71Test, FullOutputGainIsAbout25Decibels) {
    const std::string dir = scratchDirectory();
    const Audio result = renderImpulse(dir + "/out.wav", {"--set", "Output=1"});
    for (const std::vector<double>& channel : result.channels) {
        EXPECT_NEAR(20.0 * std::log10(channel[0]), 25.0, 0.01);
    }
}

TEST(RenderQx71Test, StateSurvivesASaveAndLoad) {
    const std::string dir = scratchDirectory();
    const std::string state = dir + "/state.bin";
    ASSERT_EQ(runRender({"--set", "HF Gain=0.75", "--set", "20=1", "--save-state", state}).exitCode, 0);
    const RenderRun run = runRender({"--load-state", state, "--list"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("loaded state: 104 bytes"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("3  HF Gain    dB     0.750000"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("20  Analog     n/y    1.000000"), std::string::npos) << run.out;
}
