// Windows only: a number without a "PNG" resource falls back to a standard bitmap resource,
// which is drawn by plain copy or, transparently, without its white pixels.
#include <gtest/gtest.h>

#include "cbitmap.h"
#include "coffscreencontext.h"

using namespace VSTGUI;

TEST(BitmapLoaderWindows, FallsBackToAStandardBitmapResource) {
    auto* bitmap = new CBitmap(950);
    ASSERT_TRUE(bitmap->isLoaded());
    EXPECT_EQ(bitmap->getWidth(), 2);
    EXPECT_EQ(bitmap->getHeight(), 2);
    EXPECT_TRUE(bitmap->getNoAlpha());

    COffscreenContext context(nullptr, 2, 2, CColor{9, 9, 9, 255});
    bitmap->drawTransparent(&context, CRect(0, 0, 2, 2));
    EXPECT_EQ(context.getPixel(0, 0), (CColor{255, 0, 0, 255}));
    EXPECT_EQ(context.getPixel(1, 0), (CColor{9, 9, 9, 255}));  // white is the transparent colour
    EXPECT_EQ(context.getPixel(0, 1), (CColor{0, 255, 0, 255}));
    bitmap->draw(&context, CRect(0, 0, 2, 2));
    EXPECT_EQ(context.getPixel(1, 0), kWhiteCColor);
    EXPECT_EQ(context.getPixel(1, 1), (CColor{0, 0, 255, 255}));
    bitmap->forget();
}
