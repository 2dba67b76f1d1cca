// A bitmap made from a resource number. The pixels are 32-bit premultiplied BGRA; the no-alpha
// flag chooses between plain copying and per-pixel alpha blending. Loading by resource number is
// supplied by the program (see editor/bitmap_loader.cpp), which defines loadFromResource.
#pragma once

#include <memory>

#include "creference_counter.h"
#include "geometry.h"
#include "pixel_image.h"

namespace VSTGUI {

class CDrawContext;

class CBitmap : public CReferenceCounter {
public:
    // Runs the load once; a failed load leaves a 0 x 0 bitmap that draws nothing.
    explicit CBitmap(long resourceID);
    // The picture of a 1x artwork number with pixels for a context of this scale (1 to 3): an
    // integer scale loads its own set (numbered 100 x (scale - 1) higher), any other is resampled
    // once from the next larger set. Width and height stay the 1x picture's, in logical pixels.
    CBitmap(long resourceID, double scale);
    ~CBitmap() override;

    // Releases the pixels, then loads them again from the resource; true when pixels were made.
    bool loadFromResource(long resourceID);
    // As above for the scale of the second constructor.
    bool loadFromResource(long resourceID, double scale);
    // Releases the pixels: no handle, no-alpha flag false, size 0 x 0.
    void dispose();

    // Copies (no-alpha) or blends with alpha 255 the block of dest's size from offset into dest.
    void draw(CDrawContext* context, const CRect& dest, const CPoint& offset = CPoint());
    // As draw, except that a no-alpha bitmap skips the pixels of the transparent colour.
    void drawTransparent(CDrawContext* context, const CRect& dest, const CPoint& offset = CPoint());
    // GDI AlphaBlend with a constant alpha, per-pixel alpha exactly when the no-alpha flag is false.
    void drawAlphaBlend(CDrawContext* context, const CRect& dest, const CPoint& offset = CPoint(),
                        unsigned char alpha = 128);

    long getResourceID() const { return resourceID; }
    CCoord getWidth() const { return width; }
    CCoord getHeight() const { return height; }
    bool isLoaded() const { return pixels != nullptr; }
    bool getNoAlpha() const { return noAlpha; }
    void setTransparentColor(const CColor& color) { transparentColor = color; }
    const CColor& getTransparentColor() const { return transparentColor; }
    // The pixels, or nullptr.
    const PixelImage* getPixels() const { return pixels.get(); }

    // Used by the resource loader to install what it made.
    void setPixels(std::unique_ptr<PixelImage> image, bool withoutAlpha);
    void setSize(CCoord newWidth, CCoord newHeight) {
        width = newWidth;
        height = newHeight;
    }

private:
    long resourceID;
    CCoord width = 0;
    CCoord height = 0;
    CColor transparentColor = kTransparentCColor;
    bool noAlpha = true;
    std::unique_ptr<PixelImage> pixels;
};

}  // namespace VSTGUI
