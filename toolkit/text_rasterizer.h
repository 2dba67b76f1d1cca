// Anti-aliased text for the software surface: one TrueType face (Liberation Sans, metric-compatible
// with Arial) rendered with stb_truetype at an em height in pixels.
#pragma once

#include <string>

#include "cfont.h"
#include "geometry.h"

namespace VSTGUI {

class PixelImage;

// The face used from now on; the default is Liberation Sans Regular from fonts-liberation2.
void setOffscreenFontFile(const std::string& path);
const std::string& offscreenFontFile();

// Draws one line into the image: centred vertically on box, aligned horizontally in it, clipped
// to clip. Colour channels are blended by coverage x colour alpha. Draws nothing if the font file
// cannot be read.
// Width in pixels of one line of text as rasterizeText lays it out; 0 without a font.
float textWidth(const char* text, int emPixels);

void rasterizeText(PixelImage& image, const char* text, const CRect& box, const CRect& clip, CHoriTxtAlign align,
                   int emPixels, const CColor& color);

}  // namespace VSTGUI
