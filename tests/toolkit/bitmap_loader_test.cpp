// The bitmap loader: decoding, the premultiply rule, the bottom-up layout, the draw entries,
// failures, and the real artwork of this build.
#include <gtest/gtest.h>

#include "bitmap_loader.h"
#include "cbitmap.h"
#include "coffscreencontext.h"
#include "test_support.h"

using namespace VSTGUI;
using toolkit_test::FakeResources;
using toolkit_test::makePng;

namespace {

// Stored bytes (blue, green, red, alpha) of picture pixel (x, y), y counted from the top.
std::vector<int> stored(const CBitmap& bitmap, int x, int y) {
    const std::uint8_t* p = bitmap.getPixels()->rowFromTop(y) + x * 4;
    return {p[0], p[1], p[2], p[3]};
}

}  // namespace

TEST(BitmapLoader, PremultipliesByTheIntegerRuleAndStoresBgra) {
    FakeResources resources;
    resources.add(500, makePng(4, 1, 4,
                               {200, 100, 50, 128,   // half transparent
                                90, 160, 230, 0,     // fully transparent
                                255, 255, 255, 254,  // (255 x 254) >> 8 = 253
                                10, 20, 30, 255}));  // opaque stays as it is
    auto* bitmap = new CBitmap(500);
    ASSERT_TRUE(bitmap->isLoaded());
    EXPECT_EQ(bitmap->getWidth(), 4);
    EXPECT_EQ(bitmap->getHeight(), 1);
    EXPECT_FALSE(bitmap->getNoAlpha());
    EXPECT_EQ(stored(*bitmap, 0, 0), (std::vector<int>{25, 50, 100, 128}));
    EXPECT_EQ(stored(*bitmap, 1, 0), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(stored(*bitmap, 2, 0), (std::vector<int>{253, 253, 253, 254}));
    EXPECT_EQ(stored(*bitmap, 3, 0), (std::vector<int>{30, 20, 10, 255}));
    EXPECT_EQ(bitmap->getTransparentColor(), kTransparentCColor);
    bitmap->forget();
}

TEST(BitmapLoader, StoresRowsBottomUpButDrawsUpright) {
    FakeResources resources;
    // Two rows: red on top, blue below.
    resources.add(501, makePng(1, 2, 3, {255, 0, 0, 0, 0, 255}));
    auto* bitmap = new CBitmap(501);
    ASSERT_TRUE(bitmap->isLoaded());
    const std::uint8_t* firstStoredRow = bitmap->getPixels()->bits();
    EXPECT_EQ(firstStoredRow[0], 255);  // blue: the bottom row comes first in memory
    EXPECT_EQ(firstStoredRow[2], 0);

    COffscreenContext context(nullptr, 1, 1);
    bitmap->draw(&context, CRect(0, 0, 1, 1), CPoint(0, 0));
    EXPECT_EQ(context.getPixel(0, 0), (CColor{255, 0, 0, 255}));
    bitmap->draw(&context, CRect(0, 0, 1, 1), CPoint(0, 1));
    EXPECT_EQ(context.getPixel(0, 0), (CColor{0, 0, 255, 255}));
    bitmap->forget();
}

TEST(BitmapLoader, ThreeChannelImageIsOpaqueAndStillBlended) {
    FakeResources resources;
    resources.add(502, makePng(2, 2, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    auto* bitmap = new CBitmap(502);
    EXPECT_FALSE(bitmap->getNoAlpha());
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) EXPECT_EQ(stored(*bitmap, x, y)[3], 255);
    }
    // A blended draw with constant alpha shows that the blend path is taken.
    COffscreenContext context(nullptr, 2, 2, CColor{0, 0, 0, 255});
    bitmap->drawAlphaBlend(&context, CRect(0, 0, 2, 2), CPoint(), 0);
    EXPECT_EQ(context.getPixel(0, 0), (CColor{0, 0, 0, 255}));
    bitmap->draw(&context, CRect(0, 0, 2, 2));
    EXPECT_EQ(context.getPixel(1, 1), (CColor{10, 11, 12, 255}));
    bitmap->forget();
}

TEST(BitmapLoader, GreyImagesBecomeColour) {
    FakeResources resources;
    resources.add(503, makePng(2, 1, 2, {100, 255, 200, 128}));
    resources.add(504, makePng(1, 1, 1, {77}));
    auto* greyAlpha = new CBitmap(503);
    EXPECT_EQ(stored(*greyAlpha, 0, 0), (std::vector<int>{100, 100, 100, 255}));
    EXPECT_EQ(stored(*greyAlpha, 1, 0), (std::vector<int>{100, 100, 100, 128}));
    auto* grey = new CBitmap(504);
    EXPECT_EQ(stored(*grey, 0, 0), (std::vector<int>{77, 77, 77, 255}));
    greyAlpha->forget();
    grey->forget();
}

TEST(BitmapLoader, MissingOrUndecodableResourceGivesAnEmptyBitmapThatDrawsNothing) {
    FakeResources resources;
    resources.add(505, {0x89, 'P', 'N', 'G', 1, 2, 3});
    for (long id : {505L, 9999L}) {
        auto* bitmap = new CBitmap(id);
        EXPECT_FALSE(bitmap->isLoaded());
        EXPECT_EQ(bitmap->getWidth(), 0);
        EXPECT_EQ(bitmap->getHeight(), 0);
        COffscreenContext context(nullptr, 4, 4, CColor{9, 9, 9, 255});
        bitmap->draw(&context, CRect(0, 0, 4, 4));
        bitmap->drawTransparent(&context, CRect(0, 0, 4, 4));
        bitmap->drawAlphaBlend(&context, CRect(0, 0, 4, 4), CPoint(), 255);
        EXPECT_EQ(context.getPixel(2, 2), (CColor{9, 9, 9, 255}));
        bitmap->forget();
    }
}

TEST(BitmapLoader, DisposeAndReloadStartAfresh) {
    FakeResources resources;
    resources.add(506, makePng(3, 2, 4, std::vector<std::uint8_t>(24, 255)));
    auto* bitmap = new CBitmap(506);
    bitmap->dispose();
    EXPECT_FALSE(bitmap->isLoaded());
    EXPECT_EQ(bitmap->getWidth(), 0);
    EXPECT_FALSE(bitmap->getNoAlpha());
    EXPECT_TRUE(bitmap->loadFromResource(506));
    EXPECT_EQ(bitmap->getWidth(), 3);
    EXPECT_FALSE(bitmap->loadFromResource(777));
    EXPECT_EQ(bitmap->getWidth(), 0);
    bitmap->forget();
}

TEST(BitmapLoader, ArtworkBackgroundIsOpaqueAndEditorSized) {
    auto* background = new CBitmap(101);
    ASSERT_TRUE(background->isLoaded());
    EXPECT_EQ(background->getWidth(), 290);
    EXPECT_EQ(background->getHeight(), 660);
    EXPECT_FALSE(background->getNoAlpha());
    bool allOpaque = true;
    for (int y = 0; y < 660; ++y) {
        for (int x = 0; x < 290; ++x) allOpaque = allOpaque && background->getPixels()->rowFromTop(y)[x * 4 + 3] == 255;
    }
    EXPECT_TRUE(allOpaque);
    background->forget();
}

TEST(BitmapLoader, ArtworkStripDrawsItsFirstFrameFromOffsetZero) {
    auto* strip = new CBitmap(106);
    ASSERT_TRUE(strip->isLoaded());
    EXPECT_EQ(strip->getWidth(), 80);
    EXPECT_EQ(strip->getHeight(), 8080);
    // The first frame lies in the last 80 stored rows.
    const PixelImage& pixels = *strip->getPixels();
    EXPECT_EQ(pixels.rowFromTop(0), pixels.bits() + 8079 * 80 * 4);

    COffscreenContext drawn(nullptr, 80, 80, CColor{0, 0, 0, 0});
    strip->draw(&drawn, CRect(0, 0, 80, 80), CPoint(0, 0));
    bool sameAsFirstFrame = true;
    bool anyVisible = false;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 80; ++x) {
            const std::uint8_t* p = pixels.rowFromTop(y) + x * 4;
            CColor c = drawn.getPixel(x, y);
            sameAsFirstFrame = sameAsFirstFrame && c == CColor{p[2], p[1], p[0], p[3]};
            anyVisible = anyVisible || p[3] != 0;
        }
    }
    EXPECT_TRUE(sameAsFirstFrame);
    EXPECT_TRUE(anyVisible);
    strip->forget();
}
