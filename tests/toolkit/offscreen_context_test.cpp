// The software context's own drawing: fills and frames under offset and clip, copying between
// contexts, the PNG file it writes for screenshots, and drawing at a scale.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include <stb/stb_image.h>

#include "area_resample.h"
#include "coffscreencontext.h"

using namespace VSTGUI;

TEST(OffscreenContext, FillAndFrameRespectOffsetAndClip) {
    COffscreenContext context(nullptr, 10, 10, kBlackCColor);
    context.setOffset(CPoint(2, 3));
    context.setClipRect(CRect(0, 0, 4, 4));  // device (2, 3) to (6, 7)
    context.setFillColor(CColor{10, 20, 30, 255});
    context.fillRect(CRect(-5, -5, 50, 50));
    EXPECT_EQ(context.getPixel(2, 3), (CColor{10, 20, 30, 255}));
    EXPECT_EQ(context.getPixel(5, 6), (CColor{10, 20, 30, 255}));
    EXPECT_EQ(context.getPixel(6, 6), kBlackCColor);
    EXPECT_EQ(context.getPixel(1, 3), kBlackCColor);
    CRect clip;
    context.getClipRect(clip);
    EXPECT_EQ(clip, CRect(0, 0, 4, 4));

    context.resetClipRect();
    context.setOffset(CPoint());
    context.setFrameColor(kWhiteCColor);
    context.drawRect(CRect(0, 0, 3, 3));
    EXPECT_EQ(context.getPixel(0, 0), kWhiteCColor);
    EXPECT_EQ(context.getPixel(2, 2), kWhiteCColor);
    EXPECT_EQ(context.getPixel(1, 1), kBlackCColor);
    EXPECT_EQ(context.getPixel(3, 3), (CColor{10, 20, 30, 255}));  // just outside the frame
    EXPECT_EQ(context.getPixel(-1, 0), kBlackCColor);              // outside reads as black
}

TEST(OffscreenContext, CopyFromAnotherContext) {
    COffscreenContext source(nullptr, 4, 4, CColor{1, 2, 3, 255});
    source.setFillColor(CColor{200, 100, 50, 255});
    source.fillRect(CRect(2, 2, 4, 4));
    COffscreenContext target(nullptr, 4, 4, kBlackCColor);
    source.copyFrom(&target, CRect(0, 0, 2, 2), CPoint(2, 2));
    EXPECT_EQ(target.getPixel(1, 1), (CColor{200, 100, 50, 255}));
    EXPECT_EQ(target.getPixel(2, 2), kBlackCColor);
}

TEST(OffscreenContext, WritesTheSurfaceAsPng) {
    COffscreenContext context(nullptr, 3, 2, CColor{0, 0, 0, 0});
    context.setFillColor(CColor{255, 128, 0, 255});
    context.fillRect(CRect(1, 0, 2, 1));
    std::string path = ::testing::TempDir() + "qx71_offscreen_test.png";
    ASSERT_TRUE(context.writePng(path));
    std::ifstream file(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    int w = 0, h = 0, channels = 0;
    unsigned char* rgba = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &w, &h, &channels, 4);
    ASSERT_NE(rgba, nullptr);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(std::vector<int>(rgba + 4, rgba + 8), (std::vector<int>{255, 128, 0, 255}));
    EXPECT_EQ(std::vector<int>(rgba, rgba + 4), (std::vector<int>{0, 0, 0, 0}));
    stbi_image_free(rgba);
    std::remove(path.c_str());
    EXPECT_FALSE(context.writePng("/nonexistent-folder/x.png"));
}

TEST(OffscreenContext, ScaledDrawingLandsOnRoundedDevicePixelsAndClipsRoundTrip) {
    COffscreenContext context(nullptr, 12, 12, kBlackCColor);
    context.setScale(1.5);
    context.setFillColor(kWhiteCColor);
    context.fillRect(CRect(1, 1, 3, 3));  // device [2, 5): 1.5 and 4.5 rounded up
    EXPECT_EQ(context.getPixel(1, 2), kBlackCColor);
    EXPECT_EQ(context.getPixel(2, 2), kWhiteCColor);
    EXPECT_EQ(context.getPixel(4, 4), kWhiteCColor);
    EXPECT_EQ(context.getPixel(5, 4), kBlackCColor);
    context.setOffset(CPoint(1, 1));
    context.setClipRect(CRect(1, 1, 3, 7));  // frame (2, 2) to (4, 8), device [3, 6) x [3, 12)
    CRect clip;
    context.getClipRect(clip);
    EXPECT_EQ(clip, CRect(1, 1, 3, 7));
    context.setFillColor(CColor{9, 9, 9, 255});
    context.fillRect(CRect(0, 0, 10, 10));
    EXPECT_EQ(context.getPixel(2, 3), kWhiteCColor);
    EXPECT_EQ(context.getPixel(3, 3), (CColor{9, 9, 9, 255}));
    EXPECT_EQ(context.getPixel(6, 3), kBlackCColor);
    EXPECT_EQ(context.framePoint(CPoint(4, 4)), CPoint(3, 3));  // device centre 4.5 is logical 3
    EXPECT_EQ(context.frameRect(CRect(3, 3, 5, 5)), CRect(2, 2, 4, 4));
}

TEST(AreaResample, EachPixelIsTheCoverageWeightedMeanOfItsSourceArea) {
    auto source = PixelImage::create(3, 1);
    const std::uint8_t values[] = {0, 90, 180};
    for (int x = 0; x < 3; ++x) std::memset(source->rowFromTop(0) + 4 * x, values[x], 4);
    auto half = resampleArea(*source, 2, 1);
    ASSERT_TRUE(half);
    // Each output pixel covers 1.5 source pixels: (0 + 90 / 2) / 1.5 and (90 / 2 + 180) / 1.5.
    EXPECT_EQ(half->rowFromTop(0)[0], 30);
    EXPECT_EQ(half->rowFromTop(0)[4 + 3], 150);
    EXPECT_FALSE(resampleArea(*source, 0, 1));
}
