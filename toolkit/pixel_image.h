// 32-bit pixels, premultiplied blue, green, red, alpha in memory order, stored bottom-up: the
// layout of a Windows device-independent bitmap with positive height. On Windows the pixels live
// in a DIB section so that GDI can draw them; elsewhere in plain memory.
#pragma once

#include <cstdint>
#include <memory>

namespace VSTGUI {

class PixelImage {
public:
    // nullptr when the size is not positive or the platform cannot make the surface.
    static std::unique_ptr<PixelImage> create(int width, int height);
    ~PixelImage();
    PixelImage(const PixelImage&) = delete;
    PixelImage& operator=(const PixelImage&) = delete;

    int width() const { return imageWidth; }
    int height() const { return imageHeight; }
    int stride() const { return imageWidth * 4; }
    // The stored rows: the first one is the bottom row of the picture.
    std::uint8_t* bits() { return data; }
    const std::uint8_t* bits() const { return data; }
    // Row y of the picture counted from the top.
    std::uint8_t* rowFromTop(int y) { return data + static_cast<std::size_t>(imageHeight - 1 - y) * stride(); }
    const std::uint8_t* rowFromTop(int y) const {
        return data + static_cast<std::size_t>(imageHeight - 1 - y) * stride();
    }
    // The HBITMAP of the DIB section on Windows; nullptr elsewhere.
    void* nativeHandle() const { return handle; }
    // Lets the CPU see what GDI drew (GdiFlush on Windows).
    void synchronize() const;

private:
    PixelImage(int width, int height, std::uint8_t* data, void* handle)
        : imageWidth(width), imageHeight(height), data(data), handle(handle) {}

    int imageWidth;
    int imageHeight;
    std::uint8_t* data;
    void* handle;
};

}  // namespace VSTGUI
