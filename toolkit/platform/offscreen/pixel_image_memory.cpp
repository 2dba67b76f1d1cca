// Pixel storage in plain memory, for platforms without GDI.
#include <new>

#include "../../pixel_image.h"

namespace VSTGUI {

std::unique_ptr<PixelImage> PixelImage::create(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    auto* data = new (std::nothrow) std::uint8_t[static_cast<std::size_t>(width) * height * 4]();
    if (!data) return nullptr;
    // The image takes the pixels only once it exists; if it cannot be made, they go back here.
    auto* image = new (std::nothrow) PixelImage(width, height, data, nullptr);
    if (!image) delete[] data;
    return std::unique_ptr<PixelImage>(image);
}

PixelImage::~PixelImage() { delete[] data; }

void PixelImage::synchronize() const {}

}  // namespace VSTGUI
