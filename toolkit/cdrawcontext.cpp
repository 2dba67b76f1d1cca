#include "cdrawcontext.h"

#include "pixel_image.h"

namespace VSTGUI {

CDrawContext::CDrawContext(CCoord width, CCoord height)
    : surfaceWidth(width), surfaceHeight(height), deviceClip(0, 0, width, height) {}

CRect CDrawContext::toDevice(const CRect& rect) const {
    CRect device = rect;
    return device.offset(offset.x, offset.y);
}

void CDrawContext::setClipRect(const CRect& clip) {
    deviceClip = toDevice(clip).intersection(CRect(0, 0, surfaceWidth, surfaceHeight));
}

void CDrawContext::getClipRect(CRect& clip) const {
    clip = deviceClip;
    clip.offset(-offset.x, -offset.y);
}

void CDrawContext::resetClipRect() { deviceClip = CRect(0, 0, surfaceWidth, surfaceHeight); }

void CDrawContext::setFont(CFont newFont, int size) {
    font = newFont;
    fontSize = size > 0 ? size : standardFont(newFont).size;
}

void CDrawContext::fillRect(const CRect& rect) { deviceFill(toDevice(rect), deviceClip, fillColor); }

void CDrawContext::drawRect(const CRect& rect) {
    CRect r = toDevice(rect);
    if (r.isEmpty()) return;
    deviceFill(CRect(r.left, r.top, r.right, r.top + 1), deviceClip, frameColor);
    deviceFill(CRect(r.left, r.bottom - 1, r.right, r.bottom), deviceClip, frameColor);
    deviceFill(CRect(r.left, r.top, r.left + 1, r.bottom), deviceClip, frameColor);
    deviceFill(CRect(r.right - 1, r.top, r.right, r.bottom), deviceClip, frameColor);
}

void CDrawContext::drawString(const char* text, const CRect& rect, CHoriTxtAlign align) {
    if (!text || !*text) return;
    CRect box = toDevice(rect);
    deviceText(text, box, box.intersection(deviceClip), align, CFontSpec{standardFont(font).face, fontSize}, fontColor);
}

void CDrawContext::copyImage(const PixelImage& image, const CRect& dest, const CPoint& source) {
    deviceCopy(image, toDevice(dest), source, deviceClip);
}

void CDrawContext::blendImage(const PixelImage& image, const CRect& dest, const CPoint& source, int alpha,
                              bool perPixelAlpha) {
    bool inside = source.x >= 0 && source.y >= 0 && dest.width() >= 0 && dest.height() >= 0 &&
                  source.x + dest.width() <= image.width() && source.y + dest.height() <= image.height();
    if (!inside) return;
    deviceBlend(image, toDevice(dest), source, deviceClip, alpha, perPixelAlpha);
}

void CDrawContext::keyImage(const PixelImage& image, const CRect& dest, const CPoint& source, const CColor& key) {
    deviceKey(image, toDevice(dest), source, deviceClip, key);
}

}  // namespace VSTGUI
