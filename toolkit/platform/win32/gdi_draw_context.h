// A draw context on a GDI device context: bitmaps through BitBlt and msimg32's AlphaBlend and
// TransparentBlt (taken by name at run time), text through GDI's own Arial.
#pragma once

#include <windows.h>

#include "../../cdrawcontext.h"

namespace VSTGUI {

class CGdiDrawContext : public CDrawContext {
public:
    CGdiDrawContext(HDC dc, CCoord width, CCoord height) : CDrawContext(width, height), dc(dc) {}
    HDC getDC() const { return dc; }

protected:
    void deviceFill(const CRect& rect, const CRect& clip, const CColor& color) override;
    void deviceCopy(const PixelImage& image, const CRect& dest, const CPoint& source, const CRect& clip) override;
    void deviceBlend(const PixelImage& image, const CRect& dest, const CPoint& source, const CRect& clip, int alpha,
                     bool perPixelAlpha) override;
    void deviceKey(const PixelImage& image, const CRect& dest, const CPoint& source, const CRect& clip,
                   const CColor& key) override;
    void deviceText(const char* text, const CRect& box, const CRect& clip, CHoriTxtAlign align, const CFontSpec& font,
                    const CColor& color) override;

private:
    HDC dc;
};

}  // namespace VSTGUI
