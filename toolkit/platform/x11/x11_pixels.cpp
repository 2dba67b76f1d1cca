#include "x11_pixels.h"

#include <X11/X.h>

#include "../../geometry.h"
#include "../../pixel_image.h"

namespace VSTGUI {
namespace {

// The shift of an 8-bit channel mask, or -1 if the mask is not 8 contiguous bits.
int byteShift(unsigned long mask) {
    for (int shift = 0; shift <= 24; ++shift) {
        if (mask == (0xFFul << shift)) return shift;
    }
    return -1;
}

}  // namespace

std::optional<ChannelLayout> channelLayout(int visualClass, int depth, int bitsPerPixel, unsigned long redMask,
                                           unsigned long greenMask, unsigned long blueMask) {
    if (visualClass != TrueColor || (depth != 24 && depth != 32) || bitsPerPixel != 32) return std::nullopt;
    ChannelLayout layout{byteShift(redMask), byteShift(greenMask), byteShift(blueMask), 0};
    if (layout.redShift < 0 || layout.greenShift < 0 || layout.blueShift < 0 || (redMask & greenMask) ||
        (redMask & blueMask) || (greenMask & blueMask)) {
        return std::nullopt;
    }
    if (depth == 32) layout.opaqueBits = ~static_cast<std::uint32_t>(redMask | greenMask | blueMask);
    return layout;
}

void packPixels(const PixelImage& source, const CRect& area, const ChannelLayout& layout, std::uint32_t* target) {
    CRect inside = area.intersection(CRect(0, 0, source.width(), source.height()));
    for (CCoord y = inside.top; y < inside.bottom; ++y) {
        const std::uint8_t* bgra = source.rowFromTop(y) + inside.left * 4;
        std::uint32_t* out = target + static_cast<std::size_t>(y) * source.width() + inside.left;
        for (CCoord x = inside.left; x < inside.right; ++x, bgra += 4) {
            *out++ = (std::uint32_t{bgra[2]} << layout.redShift) | (std::uint32_t{bgra[1]} << layout.greenShift) |
                     (std::uint32_t{bgra[0]} << layout.blueShift) | layout.opaqueBits;
        }
    }
}

}  // namespace VSTGUI
