// The editor's artwork: bitmaps made from resource numbers. The bytes of a "PNG" resource are
// found by number (on Windows in this module's own resources, elsewhere in the build's table of
// embedded bytes), decoded with stb_image and turned into 32-bit premultiplied BGRA pixels,
// stored bottom-up. CBitmap::loadFromResource is defined here.
#pragma once

#include <cstddef>

namespace VSTGUI {
class PixelImage;
}

namespace qx71 {

struct ResourceBytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

// Where the encoded bytes of a resource number come from; false when there is none.
using ResourceLookup = bool (*)(long resourceID, ResourceBytes& bytes);

// Tests replace the lookup; nullptr restores the module's own resources.
void setResourceLookup(ResourceLookup lookup);

// Writes decoded pixels (rows top first, channels bytes each: grey, grey + alpha, RGB or RGBA)
// upright into the bottom-up image, premultiplying every pixel whose alpha is below 255 by
// (value x alpha) >> 8. The image must have the same size.
void convertToPremultipliedBgra(const unsigned char* pixels, int channels, VSTGUI::PixelImage& image);

}  // namespace qx71
