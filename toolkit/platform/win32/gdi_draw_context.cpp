#include "gdi_draw_context.h"

#include <algorithm>

#include "../../pixel_image.h"

namespace VSTGUI {
namespace {

using AlphaBlendFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
using TransparentBltFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

// msimg32 is loaded once and kept: its functions are needed for every draw.
template <typename Function>
Function imageLibraryFunction(const char* name) {
    static HMODULE library = LoadLibraryA("msimg32.dll");
    FARPROC address = library ? GetProcAddress(library, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

COLORREF colorRef(const CColor& color) { return RGB(color.red, color.green, color.blue); }

// Selects the image into a memory DC and clips the destination for the life of the object.
class ClippedSource {
public:
    ClippedSource(HDC target, const PixelImage& image, const CRect& clip)
        : target(target), source(CreateCompatibleDC(target)) {
        saved = SaveDC(target);
        IntersectClipRect(target, clip.left, clip.top, clip.right, clip.bottom);
        old = source ? SelectObject(source, static_cast<HBITMAP>(image.nativeHandle())) : nullptr;
    }
    ~ClippedSource() {
        if (source) {
            SelectObject(source, old);
            DeleteDC(source);
        }
        RestoreDC(target, saved);
    }
    HDC dc() const { return source; }

private:
    HDC target;
    HDC source;
    HGDIOBJ old = nullptr;
    int saved = 0;
};

}  // namespace

void CGdiDrawContext::deviceFill(const CRect& rect, const CRect& clip, const CColor& color) {
    CRect area = rect.intersection(clip);
    if (area.isEmpty()) return;
    RECT r{area.left, area.top, area.right, area.bottom};
    HBRUSH brush = CreateSolidBrush(colorRef(color));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void CGdiDrawContext::deviceCopy(const PixelImage& image, const CRect& dest, const CPoint& source, const CRect& clip) {
    ClippedSource from(dc, image, clip);
    if (from.dc()) BitBlt(dc, dest.left, dest.top, dest.width(), dest.height(), from.dc(), source.x, source.y, SRCCOPY);
}

void CGdiDrawContext::deviceBlend(const PixelImage& image, const CRect& dest, const CPoint& source, const CRect& clip,
                                  int alpha, bool perPixelAlpha) {
    auto alphaBlend = imageLibraryFunction<AlphaBlendFunction>("AlphaBlend");
    if (!alphaBlend) return;
    ClippedSource from(dc, image, clip);
    if (!from.dc()) return;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), static_cast<BYTE>(perPixelAlpha ? AC_SRC_ALPHA : 0)};
    // AlphaBlend refuses a source block reaching past the image, which rounding at a fractional
    // scale can make by a pixel.
    int width = std::min(dest.width(), image.width() - source.x);
    int height = std::min(dest.height(), image.height() - source.y);
    alphaBlend(dc, dest.left, dest.top, width, height, from.dc(), source.x, source.y, width, height, blend);
}

void CGdiDrawContext::deviceKey(const PixelImage& image, const CRect& dest, const CPoint& source, const CRect& clip,
                                const CColor& key) {
    auto transparentBlt = imageLibraryFunction<TransparentBltFunction>("TransparentBlt");
    if (!transparentBlt) return;
    ClippedSource from(dc, image, clip);
    if (from.dc()) {
        transparentBlt(dc, dest.left, dest.top, dest.width(), dest.height(), from.dc(), source.x, source.y,
                       dest.width(), dest.height(), colorRef(key));
    }
}

void CGdiDrawContext::deviceText(const char* text, const CRect& box, const CRect& clip, CHoriTxtAlign align,
                                 const CFontSpec& font, const CColor& color) {
    if (clip.isEmpty()) return;
    HFONT handle = CreateFontA(-font.size, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, font.face);
    int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    SelectObject(dc, handle);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colorRef(color));
    RECT r{box.left, box.top, box.right, box.bottom};
    UINT horizontal = align == kLeftText ? DT_LEFT : align == kRightText ? DT_RIGHT : DT_CENTER;
    DrawTextA(dc, text, -1, &r, horizontal | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    RestoreDC(dc, saved);
    DeleteObject(handle);
}

}  // namespace VSTGUI
