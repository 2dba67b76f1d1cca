#include "cbitmap.h"

#include "cdrawcontext.h"

namespace VSTGUI {

CBitmap::CBitmap(long id) : resourceID(id) {
    loadFromResource(id);
    transparentColor = kTransparentCColor;
}

CBitmap::CBitmap(long id, double scale) : resourceID(id) {
    loadFromResource(id, scale);
    transparentColor = kTransparentCColor;
}

CBitmap::~CBitmap() { dispose(); }

void CBitmap::dispose() {
    pixels.reset();
    noAlpha = false;
    width = 0;
    height = 0;
}

void CBitmap::setPixels(std::unique_ptr<PixelImage> image, bool withoutAlpha) {
    pixels = std::move(image);
    noAlpha = withoutAlpha;
}

void CBitmap::draw(CDrawContext* context, const CRect& dest, const CPoint& offset) {
    if (!noAlpha) {
        drawAlphaBlend(context, dest, offset, 255);
    } else if (pixels && context) {
        context->copyImage(*pixels, dest, offset);
    }
}

void CBitmap::drawTransparent(CDrawContext* context, const CRect& dest, const CPoint& offset) {
    if (!noAlpha) {
        drawAlphaBlend(context, dest, offset, 255);
    } else if (pixels && context) {
        context->keyImage(*pixels, dest, offset, transparentColor);
    }
}

void CBitmap::drawAlphaBlend(CDrawContext* context, const CRect& dest, const CPoint& offset, unsigned char alpha) {
    if (pixels && context) context->blendImage(*pixels, dest, offset, alpha, !noAlpha);
}

}  // namespace VSTGUI
