// Packing the back buffer's pixels into the pixel values of an X visual, from the visual's
// channel masks rather than an assumed byte order.
#pragma once

#include <cstdint>
#include <optional>

namespace VSTGUI {

class PixelImage;
struct CRect;

struct ChannelLayout {
    int redShift, greenShift, blueShift;
    // Bits outside the colour channels that are set in every pixel (the alpha of a 32-bit visual).
    std::uint32_t opaqueBits;
};

// The layout for a TrueColor visual of depth 24 or 32 with 8-bit channels in 32-bit pixels;
// nothing for any other visual.
std::optional<ChannelLayout> channelLayout(int visualClass, int depth, int bitsPerPixel, unsigned long redMask,
                                           unsigned long greenMask, unsigned long blueMask);

// Writes the area of the (premultiplied, opaque) source into a 32-bit pixel buffer of the same
// size, in native byte order.
void packPixels(const PixelImage& source, const CRect& area, const ChannelLayout& layout, std::uint32_t* target);

}  // namespace VSTGUI
