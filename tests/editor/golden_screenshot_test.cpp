// The editor as rendered offscreen, compared with the committed screenshots. A small tolerance
// absorbs last-bit differences of the text rasteriser; a moved, missing or wrongly framed
// control changes whole blocks of pixels and fails.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#include <stb/stb_image.h>

#include "editor_scenes.h"

namespace {

struct Image {
    int width = 0, height = 0;
    std::unique_ptr<unsigned char, void (*)(void*)> pixels{nullptr, stbi_image_free};
};

Image load(const std::string& path) {
    Image image;
    int channels = 0;
    image.pixels.reset(stbi_load(path.c_str(), &image.width, &image.height, &channels, 4));
    return image;
}

struct Difference {
    long pixelsOff = 0;  // pixels with a channel more than kTolerance away
    int largest = 0;
};

constexpr int kTolerance = 12;

Difference compare(const Image& a, const Image& b) {
    Difference d;
    const long count = static_cast<long>(a.width) * a.height;
    for (long i = 0; i < count; ++i) {
        int worst = 0;
        for (int c = 0; c < 4; ++c) {
            worst = std::max(worst, std::abs(a.pixels.get()[i * 4 + c] - b.pixels.get()[i * 4 + c]));
        }
        d.largest = std::max(d.largest, worst);
        d.pixelsOff += worst > kTolerance;
    }
    return d;
}

// A scene at an editor scale: 1, the own 2x set, and 1.5 resampled from it.
class GoldenScreenshot : public ::testing::TestWithParam<std::tuple<scenes::Scene, double>> {};

TEST_P(GoldenScreenshot, MatchesTheCommittedImage) {
    const auto [scene, scale] = GetParam();
    const std::string name = scenes::fileName(scene, scale);
    const std::string rendered = ::testing::TempDir() + "rendered-" + name;
    ASSERT_TRUE(scenes::render(scene, rendered, scale));
    Image actual = load(rendered);
    Image golden = load(std::string(QX71_GOLDEN_DIR) + "/" + name);
    ASSERT_TRUE(actual.pixels && golden.pixels);
    ASSERT_EQ(actual.width, static_cast<int>(290 * scale));
    ASSERT_EQ(actual.height, static_cast<int>(660 * scale));
    ASSERT_EQ(actual.width, golden.width);
    ASSERT_EQ(actual.height, golden.height);
    Difference d = compare(actual, golden);
    EXPECT_LE(d.pixelsOff, static_cast<long>(40 * scale * scale))
        << "largest channel difference " << d.largest << "; rendered: " << rendered;
    std::remove(rendered.c_str());
}

TEST(GoldenScreenshotScenes, TheTwoScenesDifferWhereTheSettingsDo) {
    const std::string a = ::testing::TempDir() + "scene-a.png", b = ::testing::TempDir() + "scene-b.png";
    ASSERT_TRUE(scenes::render(scenes::kDefault, a));
    ASSERT_TRUE(scenes::render(scenes::kCharacteristic, b));
    Difference d = compare(load(a), load(b));
    EXPECT_GT(d.pixelsOff, 5000);
    std::remove(a.c_str());
    std::remove(b.c_str());
}

INSTANTIATE_TEST_SUITE_P(Editor, GoldenScreenshot,
                         ::testing::Combine(::testing::Values(scenes::kDefault, scenes::kCharacteristic),
                                            ::testing::Values(1.0, 2.0, 1.5)));

}  // namespace
