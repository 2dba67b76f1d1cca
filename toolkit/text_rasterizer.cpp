#include "text_rasterizer.h"

#include <cmath>
#include <cstdio>
#include <vector>

#define STB_TRUETYPE_IMPLEMENTATION
#include <stb/stb_truetype.h>

#include "blend.h"
#include "pixel_image.h"

namespace VSTGUI {
namespace {

struct LoadedFont {
    std::string path;
    std::vector<unsigned char> bytes;
    stbtt_fontinfo info{};
    bool attempted = false;
    bool ok = false;
};

std::string& fontPath() {
    static std::string path = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
    return path;
}

// The face is read once per path and kept for the life of the process.
const LoadedFont& currentFont() {
    static LoadedFont font;
    if (font.attempted && font.path == fontPath()) return font;
    font = LoadedFont{};
    font.attempted = true;
    font.path = fontPath();
    if (std::FILE* file = std::fopen(font.path.c_str(), "rb")) {
        unsigned char buffer[65536];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            font.bytes.insert(font.bytes.end(), buffer, buffer + n);
        }
        std::fclose(file);
    }
    font.ok = !font.bytes.empty() &&
              stbtt_InitFont(&font.info, font.bytes.data(), stbtt_GetFontOffsetForIndex(font.bytes.data(), 0)) != 0;
    return font;
}

float lineWidth(const stbtt_fontinfo& info, const char* text, float scale) {
    float width = 0;
    for (const char* c = text; *c; ++c) {
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(&info, static_cast<unsigned char>(*c), &advance, &bearing);
        width += advance * scale;
        if (c[1]) {
            width += stbtt_GetCodepointKernAdvance(&info, static_cast<unsigned char>(c[0]),
                                                   static_cast<unsigned char>(c[1])) *
                     scale;
        }
    }
    return width;
}

void blendCoverage(PixelImage& image, int x, int y, unsigned coverage, const CColor& color) {
    std::uint32_t alpha = blend::scale(coverage, color.alpha);
    if (alpha == 0) return;
    std::uint8_t* p = image.rowFromTop(y) + x * 4;
    const std::uint8_t source[4] = {color.blue, color.green, color.red, 255};
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<std::uint8_t>((source[i] * alpha + p[i] * (255 - alpha) + 127) / 255);
    }
}

}  // namespace

void setOffscreenFontFile(const std::string& path) { fontPath() = path; }

const std::string& offscreenFontFile() { return fontPath(); }

float textWidth(const char* text, int emPixels) {
    const LoadedFont& font = currentFont();
    if (!font.ok || !text || emPixels <= 0) return 0;
    return lineWidth(font.info, text, stbtt_ScaleForMappingEmToPixels(&font.info, static_cast<float>(emPixels)));
}

void rasterizeText(PixelImage& image, const char* text, const CRect& box, const CRect& clip, CHoriTxtAlign align,
                   int emPixels, const CColor& color) {
    const LoadedFont& font = currentFont();
    if (!font.ok || !text || emPixels <= 0) return;
    const stbtt_fontinfo& info = font.info;
    float scale = stbtt_ScaleForMappingEmToPixels(&info, static_cast<float>(emPixels));
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(&info, &ascent, &descent, &gap);
    float lineHeight = (ascent - descent) * scale;
    int baseline = box.top + static_cast<int>(std::floor((box.height() - lineHeight) / 2 + ascent * scale + 0.5f));
    float width = lineWidth(info, text, scale);
    float x = static_cast<float>(box.left);
    if (align == kCenterText) {
        x += (box.width() - width) / 2;
    } else if (align == kRightText) {
        x += box.width() - width;
    }
    x = std::floor(x + 0.5f);

    CRect visible = clip.intersection(CRect(0, 0, image.width(), image.height()));
    for (const char* c = text; *c; ++c) {
        int codepoint = static_cast<unsigned char>(*c);
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(&info, codepoint, &advance, &bearing);
        float shift = x - std::floor(x);
        int gw = 0, gh = 0, gx = 0, gy = 0;
        unsigned char* glyph =
            stbtt_GetCodepointBitmapSubpixel(&info, scale, scale, shift, 0, codepoint, &gw, &gh, &gx, &gy);
        int left = static_cast<int>(std::floor(x)) + gx;
        int top = baseline + gy;
        for (int row = 0; glyph && row < gh; ++row) {
            for (int col = 0; col < gw; ++col) {
                if (visible.pointInside(CPoint(left + col, top + row))) {
                    blendCoverage(image, left + col, top + row, glyph[row * gw + col], color);
                }
            }
        }
        stbtt_FreeBitmap(glyph, nullptr);
        x += advance * scale;
        if (c[1]) x += stbtt_GetCodepointKernAdvance(&info, codepoint, static_cast<unsigned char>(c[1])) * scale;
    }
}

}  // namespace VSTGUI
