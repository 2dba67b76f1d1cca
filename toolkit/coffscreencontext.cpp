#include "coffscreencontext.h"

#include <cstring>
#include <vector>

#include "blend.h"
#include "png_writer.h"
#include "text_rasterizer.h"

namespace VSTGUI {
namespace {

std::uint32_t load(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

void store(std::uint8_t* p, std::uint32_t v) { std::memcpy(p, &v, 4); }

std::uint32_t pack(const CColor& c) {
    return static_cast<std::uint32_t>(c.alpha) << 24 | static_cast<std::uint32_t>(c.red) << 16 |
           static_cast<std::uint32_t>(c.green) << 8 | c.blue;
}

}  // namespace

COffscreenContext::COffscreenContext(CFrame* frame, CCoord width, CCoord height, const CColor& background)
    : CDrawContext(width, height), image(PixelImage::create(width, height)) {
    (void)frame;
    setFillColor(background);
    fillRect(CRect(0, 0, width, height));
    setFillColor(kWhiteCColor);
}

CColor COffscreenContext::getPixel(CCoord x, CCoord y) const {
    if (!image || !CRect(0, 0, image->width(), image->height()).pointInside(CPoint(x, y))) return kBlackCColor;
    image->synchronize();
    const std::uint8_t* p = image->rowFromTop(y) + x * 4;
    return CColor{p[2], p[1], p[0], p[3]};
}

void COffscreenContext::copyFrom(CDrawContext* destination, const CRect& dest, const CPoint& source) const {
    if (!image) return;
    image->synchronize();
    destination->copyImage(*image, dest, source);
}

bool COffscreenContext::writePng(const std::string& path) const {
    if (!image) return false;
    image->synchronize();
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(image->width()) * image->height() * 4);
    for (int y = 0; y < image->height(); ++y) {
        const std::uint8_t* src = image->rowFromTop(y);
        std::uint8_t* dst = rgba.data() + static_cast<std::size_t>(y) * image->width() * 4;
        for (int x = 0; x < image->width(); ++x) {
            dst[x * 4 + 0] = src[x * 4 + 2];
            dst[x * 4 + 1] = src[x * 4 + 1];
            dst[x * 4 + 2] = src[x * 4 + 0];
            dst[x * 4 + 3] = src[x * 4 + 3];
        }
    }
    std::vector<std::uint8_t> png = encodePng(rgba.data(), image->width(), image->height(), 4);
    return !png.empty() && writeFile(path, png);
}

template <typename PixelRule>
void COffscreenContext::forEachPixel(const PixelImage& source, const CRect& dest, const CPoint& from, const CRect& clip,
                                     PixelRule rule) {
    if (!image) return;
    CRect area = dest.intersection(clip);
    source.synchronize();
    image->synchronize();
    for (CCoord y = area.top; y < area.bottom; ++y) {
        CCoord sy = from.y + (y - dest.top);
        if (sy < 0 || sy >= source.height()) continue;
        for (CCoord x = area.left; x < area.right; ++x) {
            CCoord sx = from.x + (x - dest.left);
            if (sx < 0 || sx >= source.width()) continue;
            std::uint8_t* d = image->rowFromTop(y) + x * 4;
            store(d, rule(load(d), load(source.rowFromTop(sy) + sx * 4)));
        }
    }
}

void COffscreenContext::deviceFill(const CRect& rect, const CRect& clip, const CColor& color) {
    if (!image) return;
    CRect area = rect.intersection(clip);
    image->synchronize();
    std::uint32_t v = pack(color);
    for (CCoord y = area.top; y < area.bottom; ++y) {
        for (CCoord x = area.left; x < area.right; ++x) store(image->rowFromTop(y) + x * 4, v);
    }
}

void COffscreenContext::deviceCopy(const PixelImage& source, const CRect& dest, const CPoint& from, const CRect& clip) {
    forEachPixel(source, dest, from, clip, [](std::uint32_t, std::uint32_t src) { return src; });
}

void COffscreenContext::deviceBlend(const PixelImage& source, const CRect& dest, const CPoint& from, const CRect& clip,
                                    int alpha, bool perPixelAlpha) {
    std::uint32_t constant = static_cast<std::uint32_t>(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha);
    if (perPixelAlpha) {
        forEachPixel(source, dest, from, clip, [constant](std::uint32_t dst, std::uint32_t src) {
            return blend::sourceOver(dst, src, constant);
        });
    } else {
        forEachPixel(source, dest, from, clip, [constant](std::uint32_t dst, std::uint32_t src) {
            return blend::constantOver(dst, src, constant);
        });
    }
}

void COffscreenContext::deviceKey(const PixelImage& source, const CRect& dest, const CPoint& from, const CRect& clip,
                                  const CColor& key) {
    std::uint32_t keyColor = pack(key) & 0xFFFFFFu;
    forEachPixel(source, dest, from, clip, [keyColor](std::uint32_t dst, std::uint32_t src) {
        return (src & 0xFFFFFFu) == keyColor ? dst : src;
    });
}

void COffscreenContext::deviceText(const char* text, const CRect& box, const CRect& clip, CHoriTxtAlign align,
                                   const CFontSpec& font, const CColor& color) {
    if (!image) return;
    image->synchronize();
    rasterizeText(*image, text, box, clip, align, font.size, color);
}

}  // namespace VSTGUI
