#include "bitmap_loader.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#include <stb/stb_image.h>

#include <cmath>

#include "area_resample.h"
#include "cbitmap.h"
#include "pixel_image.h"

#include "embedded_resources.h"

#ifdef _WIN32
#include "platform/win32/own_module.h"
#endif

namespace qx71 {
namespace {

#ifdef _WIN32
LPCSTR resourceName(long resourceID) { return MAKEINTRESOURCEA(static_cast<WORD>(resourceID & 0xFFFF)); }

// A standard bitmap resource of the same number, converted to 32-bit pixels drawn by plain copy.
bool loadBitmapResource(VSTGUI::CBitmap& bitmap, long resourceID) {
    HMODULE module = VSTGUI::ownModule();
    HBITMAP loaded = LoadBitmapA(module, resourceName(resourceID));
    if (!loaded) return false;
    BITMAP info{};
    bool ok = false;
    if (GetObjectA(loaded, sizeof info, &info) && info.bmWidth > 0 && info.bmHeight > 0) {
        auto image = VSTGUI::PixelImage::create(info.bmWidth, info.bmHeight);
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        format.bmiHeader.biWidth = info.bmWidth;
        format.bmiHeader.biHeight = info.bmHeight;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        HDC screen = GetDC(nullptr);
        if (image && GetDIBits(screen, loaded, 0, info.bmHeight, image->bits(), &format, DIB_RGB_COLORS)) {
            for (int y = 0; y < info.bmHeight; ++y) {
                for (int x = 0; x < info.bmWidth; ++x) image->rowFromTop(y)[x * 4 + 3] = 255;
            }
            bitmap.setSize(info.bmWidth, info.bmHeight);
            bitmap.setPixels(std::move(image), true);
            ok = true;
        }
        ReleaseDC(nullptr, screen);
    }
    DeleteObject(loaded);
    return ok;
}
#else
// Standard bitmap resources exist only in Windows modules.
bool loadBitmapResource(VSTGUI::CBitmap&, long) { return false; }
#endif

// The build's artwork table: the module's "PNG" resources on Windows, embedded bytes elsewhere.
bool moduleLookup(long resourceID, ResourceBytes& bytes) {
    const EmbeddedResource* resource = findEmbeddedResource(static_cast<int>(resourceID));
    if (!resource || !resource->data) return false;
    bytes.data = resource->data;
    bytes.size = resource->size;
    return true;
}

ResourceLookup currentLookup = moduleLookup;

}  // namespace

void setResourceLookup(ResourceLookup lookup) { currentLookup = lookup ? lookup : moduleLookup; }

void convertToPremultipliedBgra(const unsigned char* pixels, int channels, VSTGUI::PixelImage& image) {
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        const unsigned char* source = pixels + static_cast<std::size_t>(y) * width * channels;
        unsigned char* row = image.rowFromTop(y);
        for (int x = 0; x < width; ++x, source += channels) {
            // Grey images carry one colour value for all three channels.
            unsigned red = source[0];
            unsigned green = channels >= 3 ? source[1] : source[0];
            unsigned blue = channels >= 3 ? source[2] : source[0];
            unsigned alpha = channels == 4 ? source[3] : channels == 2 ? source[1] : 255;
            if (alpha < 255) {
                red = (red * alpha) >> 8;
                green = (green * alpha) >> 8;
                blue = (blue * alpha) >> 8;
            }
            unsigned char* pixel = row + x * 4;
            pixel[0] = static_cast<unsigned char>(blue);
            pixel[1] = static_cast<unsigned char>(green);
            pixel[2] = static_cast<unsigned char>(red);
            pixel[3] = static_cast<unsigned char>(alpha);
        }
    }
}

}  // namespace qx71

namespace VSTGUI {

bool CBitmap::loadFromResource(long id) {
    dispose();
    qx71::ResourceBytes bytes;
    if (qx71::currentLookup(id, bytes) && bytes.size <= static_cast<std::size_t>(INT32_MAX)) {
        int w = 0, h = 0, channels = 0;
        unsigned char* decoded = stbi_load_from_memory(bytes.data, static_cast<int>(bytes.size), &w, &h, &channels, 0);
        if (decoded) {
            setSize(w, h);
            std::unique_ptr<PixelImage> image = PixelImage::create(w, h);
            if (image) {
                qx71::convertToPremultipliedBgra(decoded, channels, *image);
                setPixels(std::move(image), false);
            }
            stbi_image_free(decoded);
            return isLoaded();
        }
    }
    return qx71::loadBitmapResource(*this, id);
}

bool CBitmap::loadFromResource(long id, double scale) {
    if (scale == 1.0) return loadFromResource(id);
    int set = std::min(kArtworkMaxScale, static_cast<int>(std::ceil(scale)));
    if (!loadFromResource(scaledArtworkId(static_cast<int>(id), set)) || width % set || height % set) {
        // Without the larger set the 1x picture is enlarged: coarse, but in place.
        set = 1;
        if (!loadFromResource(id)) return false;
    }
    CCoord logicalWidth = width / set, logicalHeight = height / set;
    auto deviceSize = [scale](CCoord logical) { return static_cast<int>(std::floor(logical * scale + 0.5)); };
    if (scale != set) {
        bool withoutAlpha = noAlpha;
        std::unique_ptr<PixelImage> resized =
            resampleArea(*pixels, deviceSize(logicalWidth), deviceSize(logicalHeight));
        if (!resized) {
            dispose();
            return false;
        }
        setPixels(std::move(resized), withoutAlpha);
    }
    setSize(logicalWidth, logicalHeight);
    return true;
}

}  // namespace VSTGUI
