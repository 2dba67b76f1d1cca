// A draw context over a software surface of premultiplied BGRA pixels. Its blend is GDI
// AlphaBlend's arithmetic, its text Liberation Sans through stb_truetype, so it renders the
// editor identically on every platform; it can be written to a PNG file.
#pragma once

#include <memory>
#include <string>

#include "cdrawcontext.h"
#include "pixel_image.h"

namespace VSTGUI {

class CFrame;

class COffscreenContext : public CDrawContext {
public:
    // The frame is accepted for the toolkit's signature; the surface does not depend on it.
    COffscreenContext(CFrame* frame, CCoord width, CCoord height, const CColor& background = kBlackCColor);

    // False when the surface could not be allocated; every drawing is then ignored.
    bool isValid() const { return image != nullptr; }
    // The surface's pixels; nullptr when it is not valid.
    const PixelImage* pixels() const { return image.get(); }
    // Stored bytes of one pixel (premultiplied) as red, green, blue, alpha; black outside.
    CColor getPixel(CCoord x, CCoord y) const;
    // Draws the surface block starting at source into dest of another context, unblended.
    void copyFrom(CDrawContext* destination, const CRect& dest, const CPoint& source = CPoint()) const;
    // The surface as an RGBA PNG (the stored, premultiplied bytes).
    bool writePng(const std::string& path) const;

protected:
    void deviceFill(const CRect& rect, const CRect& clip, const CColor& color) override;
    void deviceCopy(const PixelImage& source, const CRect& dest, const CPoint& from, const CRect& clip) override;
    void deviceBlend(const PixelImage& source, const CRect& dest, const CPoint& from, const CRect& clip, int alpha,
                     bool perPixelAlpha) override;
    void deviceKey(const PixelImage& source, const CRect& dest, const CPoint& from, const CRect& clip,
                   const CColor& key) override;
    void deviceText(const char* text, const CRect& box, const CRect& clip, CHoriTxtAlign align, const CFontSpec& font,
                    const CColor& color) override;

private:
    template <typename PixelRule>
    void forEachPixel(const PixelImage& source, const CRect& dest, const CPoint& from, const CRect& clip,
                      PixelRule rule);

    std::unique_ptr<PixelImage> image;
};

}  // namespace VSTGUI
