// Pixel storage in a 32-bit bottom-up DIB section, so GDI can select and blend it.
#include <windows.h>

#include <new>

#include "../../pixel_image.h"

namespace VSTGUI {

std::unique_ptr<PixelImage> PixelImage::create(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom-up rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section || !bits) {
        if (section) DeleteObject(section);
        return nullptr;
    }
    // The image takes the section only once it exists; if it cannot be made, the section is freed here.
    auto* image = new (std::nothrow) PixelImage(width, height, static_cast<std::uint8_t*>(bits), section);
    if (!image) DeleteObject(section);
    return std::unique_ptr<PixelImage>(image);
}

PixelImage::~PixelImage() { DeleteObject(static_cast<HBITMAP>(handle)); }

void PixelImage::synchronize() const { GdiFlush(); }

}  // namespace VSTGUI
