#include "cdrawcontext.h"

#include <cmath>

#include "pixel_image.h"

namespace VSTGUI {

CDrawContext::CDrawContext(CCoord width, CCoord height)
    : surfaceWidth(width), surfaceHeight(height), frameClip(0, 0, width, height), deviceClip(0, 0, width, height) {}

void CDrawContext::setScale(double newScale) {
    scale = newScale;
    resetClipRect();
}

CCoord CDrawContext::toDevice(CCoord logical) const { return static_cast<CCoord>(std::floor(logical * scale + 0.5)); }

CRect CDrawContext::deviceRect(const CRect& r) const {
    return CRect(toDevice(r.left), toDevice(r.top), toDevice(r.right), toDevice(r.bottom));
}

CRect CDrawContext::frameRect(const CRect& r) const {
    return CRect(static_cast<CCoord>(std::floor(r.left / scale)), static_cast<CCoord>(std::floor(r.top / scale)),
                 static_cast<CCoord>(std::ceil(r.right / scale)), static_cast<CCoord>(std::ceil(r.bottom / scale)));
}

CPoint CDrawContext::framePoint(const CPoint& p) const {
    // The logical pixel under the device pixel's centre.
    return CPoint(static_cast<CCoord>(std::floor((p.x + 0.5) / scale)),
                  static_cast<CCoord>(std::floor((p.y + 0.5) / scale)));
}

CRect CDrawContext::toDevice(const CRect& rect) const {
    CRect framed = rect;
    return deviceRect(framed.offset(offset.x, offset.y));
}

void CDrawContext::setFrameClip(const CRect& clip) {
    CRect device(0, 0, surfaceWidth, surfaceHeight);
    frameClip = clip.intersection(frameRect(device));
    deviceClip = deviceRect(frameClip).intersection(device);
}

void CDrawContext::setClipRect(const CRect& clip) {
    CRect framed = clip;
    setFrameClip(framed.offset(offset.x, offset.y));
}

void CDrawContext::getClipRect(CRect& clip) const {
    clip = frameClip;
    clip.offset(-offset.x, -offset.y);
}

void CDrawContext::resetClipRect() { setFrameClip(frameRect(CRect(0, 0, surfaceWidth, surfaceHeight))); }

void CDrawContext::setFont(CFont newFont, int size) {
    font = newFont;
    fontSize = size > 0 ? size : standardFont(newFont).size;
}

void CDrawContext::fillRect(const CRect& rect) { fillWith(rect, fillColor); }

void CDrawContext::drawRect(const CRect& r) {
    if (r.isEmpty()) return;
    fillWith(CRect(r.left, r.top, r.right, r.top + 1), frameColor);
    fillWith(CRect(r.left, r.bottom - 1, r.right, r.bottom), frameColor);
    fillWith(CRect(r.left, r.top, r.left + 1, r.bottom), frameColor);
    fillWith(CRect(r.right - 1, r.top, r.right, r.bottom), frameColor);
}

void CDrawContext::fillWith(const CRect& rect, const CColor& color) { deviceFill(toDevice(rect), deviceClip, color); }

void CDrawContext::drawString(const char* text, const CRect& rect, CHoriTxtAlign align) {
    if (!text || !*text) return;
    CRect box = toDevice(rect);
    deviceText(text, box, box.intersection(deviceClip), align,
               CFontSpec{standardFont(font).face, static_cast<int>(toDevice(fontSize))}, fontColor);
}

void CDrawContext::copyImage(const PixelImage& image, const CRect& dest, const CPoint& source) {
    deviceCopy(image, toDevice(dest), deviceSource(source), deviceClip);
}

CPoint CDrawContext::deviceSource(const CPoint& source) const { return CPoint(toDevice(source.x), toDevice(source.y)); }

void CDrawContext::blendImage(const PixelImage& image, const CRect& dest, const CPoint& source, int alpha,
                              bool perPixelAlpha) {
    bool inside = source.x >= 0 && source.y >= 0 && dest.width() >= 0 && dest.height() >= 0 &&
                  toDevice(source.x + dest.width()) <= image.width() &&
                  toDevice(source.y + dest.height()) <= image.height();
    if (!inside) return;
    deviceBlend(image, toDevice(dest), deviceSource(source), deviceClip, alpha, perPixelAlpha);
}

void CDrawContext::keyImage(const PixelImage& image, const CRect& dest, const CPoint& source, const CColor& key) {
    deviceKey(image, toDevice(dest), deviceSource(source), deviceClip, key);
}

}  // namespace VSTGUI
