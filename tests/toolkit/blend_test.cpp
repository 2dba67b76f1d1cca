// The software blend against GDI AlphaBlend's source-over rule, written here in real arithmetic:
// source channels scaled by constant alpha / 255, then destination x (1 - source alpha / 255)
// added, every product rounded to the nearest integer.
#include <gtest/gtest.h>

#include <cmath>

#include "blend.h"
#include "cbitmap.h"
#include "coffscreencontext.h"
#include "test_support.h"

using namespace VSTGUI;

namespace {

int roundedProduct(int value, int alpha) { return static_cast<int>(std::floor(value * alpha / 255.0 + 0.5)); }

std::uint32_t pack(int b, int g, int r, int a) {
    return static_cast<std::uint32_t>(a) << 24 | static_cast<std::uint32_t>(r) << 16 |
           static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b);
}

// Expected value of one channel; alpha is the source alpha before the constant alpha.
int expectedChannel(int src, int srcAlpha, int dst, int constantAlpha) {
    int scaledAlpha = roundedProduct(srcAlpha, constantAlpha);
    return roundedProduct(src, constantAlpha) + roundedProduct(dst, 255 - scaledAlpha);
}

}  // namespace

TEST(Blend, PerPixelAlphaMatchesTheSourceOverRule) {
    for (int constant : {255, 200, 128, 1, 0}) {
        for (int dst : {0, 1, 77, 128, 254, 255}) {
            for (int a = 0; a < 256; ++a) {
                for (int c = 0; c <= a; ++c) {
                    std::uint32_t out = blend::sourceOver(pack(dst, dst, dst, dst), pack(c, c, c, a), constant);
                    ASSERT_EQ(static_cast<int>(out & 0xFF), expectedChannel(c, a, dst, constant))
                        << "constant " << constant << " dst " << dst << " a " << a << " c " << c;
                    ASSERT_EQ(static_cast<int>(out >> 24), expectedChannel(a, a, dst, constant));
                }
            }
        }
    }
}

TEST(Blend, ConstantAlphaMixesEveryChannel) {
    for (int constant : {0, 64, 128, 255}) {
        for (int src : {0, 90, 255}) {
            for (int dst : {0, 13, 255}) {
                std::uint32_t out = blend::constantOver(pack(dst, dst, dst, dst), pack(src, src, src, src), constant);
                int expected = static_cast<int>(std::floor((src * constant + dst * (255 - constant)) / 255.0 + 0.5));
                EXPECT_EQ(static_cast<int>(out & 0xFF), expected);
                EXPECT_EQ(static_cast<int>(out >> 24), expected);
            }
        }
    }
}

TEST(Blend, OffscreenContextBlendsBitmapsWithTheRule) {
    toolkit_test::FakeResources resources;
    resources.add(600, toolkit_test::makePng(1, 1, 4, {200, 100, 50, 128}));  // stored 25, 50, 100, 128
    auto* bitmap = new CBitmap(600);
    COffscreenContext context(nullptr, 3, 1, CColor{30, 200, 10, 255});
    bitmap->draw(&context, CRect(0, 0, 1, 1));
    bitmap->drawAlphaBlend(&context, CRect(1, 0, 2, 1), CPoint(), 100);
    CColor full = context.getPixel(0, 0);
    EXPECT_EQ(full.red, expectedChannel(100, 128, 30, 255));
    EXPECT_EQ(full.green, expectedChannel(50, 128, 200, 255));
    EXPECT_EQ(full.blue, expectedChannel(25, 128, 10, 255));
    EXPECT_EQ(full.alpha, expectedChannel(128, 128, 255, 255));
    CColor faded = context.getPixel(1, 0);
    EXPECT_EQ(faded.red, expectedChannel(100, 128, 30, 100));
    EXPECT_EQ(faded.blue, expectedChannel(25, 128, 10, 100));
    EXPECT_EQ(context.getPixel(2, 0), (CColor{30, 200, 10, 255}));
    bitmap->forget();
}

TEST(Blend, SourceBlockOutsideTheImageDrawsNothingAndClipIsRespected) {
    toolkit_test::FakeResources resources;
    resources.add(601, toolkit_test::makePng(2, 2, 3, std::vector<std::uint8_t>(12, 255)));
    auto* bitmap = new CBitmap(601);
    COffscreenContext context(nullptr, 4, 4, kBlackCColor);
    bitmap->draw(&context, CRect(0, 0, 2, 2), CPoint(1, 0));  // one column past the image
    EXPECT_EQ(context.getPixel(0, 0), kBlackCColor);
    context.setClipRect(CRect(0, 0, 1, 1));
    bitmap->draw(&context, CRect(0, 0, 2, 2));
    EXPECT_EQ(context.getPixel(0, 0), kWhiteCColor);
    EXPECT_EQ(context.getPixel(1, 1), kBlackCColor);
    bitmap->forget();
}
