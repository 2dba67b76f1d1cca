// Where views draw. The context has an origin offset and a clip rectangle (both in the caller's
// coordinates) and current fill, frame and font settings; a backend supplies the device
// primitives: the software surface of COffscreenContext, or GDI on Windows.
//
// Callers draw in logical pixels; the context's scale (1 to 3) maps them onto the device surface:
// an edge at logical x lands on device pixel round(x x scale), fonts are sized scale times larger,
// and bitmaps must carry pixels at the same scale (CBitmap loads them so). At scale 1 the mapping
// is the identity.
#pragma once

#include "cfont.h"
#include "creference_counter.h"
#include "geometry.h"

namespace VSTGUI {

class PixelImage;

class CDrawContext : public CReferenceCounter {
public:
    // width x height is the device surface; the clip starts as all of it.
    CDrawContext(CCoord width, CCoord height);

    CCoord getWidth() const { return surfaceWidth; }
    CCoord getHeight() const { return surfaceHeight; }

    // Device pixels per logical pixel; the clip is reset to the whole surface.
    void setScale(double newScale);
    double getScale() const { return scale; }
    // A rectangle in frame coordinates (no offset) in device pixels, and the smallest rectangle in
    // frame coordinates that covers a device rectangle.
    CRect deviceRect(const CRect& frameRect) const;
    CRect frameRect(const CRect& deviceRect) const;
    // The logical pixel under a device pixel.
    CPoint framePoint(const CPoint& devicePoint) const;

    // The origin added to every coordinate handed to the drawing calls.
    void setOffset(const CPoint& origin) { offset = origin; }
    const CPoint& getOffset() const { return offset; }

    // Clip in the caller's coordinates (the current offset is applied now).
    void setClipRect(const CRect& clip);
    void getClipRect(CRect& clip) const;
    void resetClipRect();

    void setFillColor(const CColor& color) { fillColor = color; }
    const CColor& getFillColor() const { return fillColor; }
    void setFrameColor(const CColor& color) { frameColor = color; }
    const CColor& getFrameColor() const { return frameColor; }
    void setFontColor(const CColor& color) { fontColor = color; }
    const CColor& getFontColor() const { return fontColor; }
    // size 0 keeps the standard size of the font.
    void setFont(CFont font, int size = 0);
    CFont getFont() const { return font; }
    int getFontSize() const { return fontSize; }

    // Fills [left, right) x [top, bottom) with the fill colour.
    void fillRect(const CRect& rect);
    // The one-pixel border just inside the rectangle, in the frame colour.
    void drawRect(const CRect& rect);
    // One line of text in the font colour, vertically centred on the rectangle and clipped to it.
    void drawString(const char* text, const CRect& rect, CHoriTxtAlign align = kCenterText);

    // Bitmap primitives, used by CBitmap. dest is where the pixels go, source the top-left pixel
    // of the block in the image (counted from the image's top), both logical; the image holds
    // device pixels.
    void copyImage(const PixelImage& image, const CRect& dest, const CPoint& source);
    // GDI AlphaBlend: nothing unless the source block lies inside the image.
    void blendImage(const PixelImage& image, const CRect& dest, const CPoint& source, int alpha, bool perPixelAlpha);
    // Copies every pixel whose colour differs from key (alpha ignored).
    void keyImage(const PixelImage& image, const CRect& dest, const CPoint& source, const CColor& key);

protected:
    // Device primitives: rectangles in device pixels, not yet clipped; clip is the device clip.
    virtual void deviceFill(const CRect& rect, const CRect& clip, const CColor& color) = 0;
    virtual void deviceCopy(const PixelImage& image, const CRect& dest, const CPoint& source, const CRect& clip) = 0;
    virtual void deviceBlend(const PixelImage& image, const CRect& dest, const CPoint& source, const CRect& clip,
                             int alpha, bool perPixelAlpha) = 0;
    virtual void deviceKey(const PixelImage& image, const CRect& dest, const CPoint& source, const CRect& clip,
                           const CColor& key) = 0;
    virtual void deviceText(const char* text, const CRect& box, const CRect& clip, CHoriTxtAlign align,
                            const CFontSpec& font, const CColor& color) = 0;

private:
    CRect toDevice(const CRect& rect) const;
    CCoord toDevice(CCoord logical) const;
    // Where a logical point of an image lies among its device pixels.
    CPoint deviceSource(const CPoint& source) const;
    void fillWith(const CRect& rect, const CColor& color);
    void setFrameClip(const CRect& clip);

    CCoord surfaceWidth;
    CCoord surfaceHeight;
    double scale = 1.0;
    CPoint offset;
    // The clip in frame coordinates, kept so that getClipRect and setClipRect round-trip exactly
    // at every scale, and the device pixels it covers.
    CRect frameClip;
    CRect deviceClip;
    CColor fillColor = kWhiteCColor;
    CColor frameColor = kBlackCColor;
    CColor fontColor = kWhiteCColor;
    CFont font = kNormalFont;
    int fontSize = 12;
};

}  // namespace VSTGUI
