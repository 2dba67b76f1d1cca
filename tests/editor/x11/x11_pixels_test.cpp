// Pixels for X visuals: the layout comes from the visual's channel masks, and visuals the back
// buffer cannot be shown on are refused.
#include <gtest/gtest.h>
// After GoogleTest: Xlib defines None and Bool as macros.
#include <X11/X.h>

#include "geometry.h"
#include "pixel_image.h"
#include "platform/x11/x11_pixels.h"

using namespace VSTGUI;

TEST(X11Pixels, ChannelMasksDecideWhereEachColourGoes) {
    auto image = PixelImage::create(2, 1);
    ASSERT_TRUE(image);
    std::uint8_t* bgra = image->rowFromTop(0);
    bgra[0] = 0x01, bgra[1] = 0x02, bgra[2] = 0x03, bgra[3] = 0xFF;  // blue, green, red, alpha

    auto rgb = channelLayout(TrueColor, 24, 32, 0xFF0000, 0x00FF00, 0x0000FF);
    auto bgr = channelLayout(TrueColor, 24, 32, 0x0000FF, 0x00FF00, 0xFF0000);
    auto argb = channelLayout(TrueColor, 32, 32, 0xFF0000, 0x00FF00, 0x0000FF);
    ASSERT_TRUE(rgb && bgr && argb);
    std::uint32_t pixels[2] = {};
    packPixels(*image, CRect(0, 0, 1, 1), *rgb, pixels);
    EXPECT_EQ(pixels[0], 0x030201u);
    EXPECT_EQ(pixels[1], 0u) << "outside the area";
    packPixels(*image, CRect(0, 0, 1, 1), *bgr, pixels);
    EXPECT_EQ(pixels[0], 0x010203u);
    packPixels(*image, CRect(0, 0, 1, 1), *argb, pixels);
    EXPECT_EQ(pixels[0], 0xFF030201u) << "a 32-bit visual's spare bits are its alpha: opaque";

    EXPECT_FALSE(channelLayout(TrueColor, 16, 16, 0xF800, 0x07E0, 0x001F));
    EXPECT_FALSE(channelLayout(PseudoColor, 8, 8, 0, 0, 0));
    EXPECT_FALSE(channelLayout(TrueColor, 30, 32, 0x3FF00000, 0xFFC00, 0x3FF));
    EXPECT_FALSE(channelLayout(TrueColor, 24, 32, 0xFF0000, 0xFF0000, 0x0000FF));
}
