// The toolkit's standard fonts: Arial at a fixed em height in pixels.
#pragma once

namespace VSTGUI {

enum CFont { kNormalFont = 0, kNormalFontSmall, kNormalFontVerySmall };

enum CHoriTxtAlign { kLeftText = 0, kCenterText, kRightText };

struct CFontSpec {
    const char* face;
    int size;  // em height in pixels
};

inline CFontSpec standardFont(CFont font) {
    switch (font) {
        case kNormalFontSmall: return {"Arial", 11};
        case kNormalFontVerySmall: return {"Arial", 9};
        case kNormalFont:
        default: return {"Arial", 12};
    }
}

}  // namespace VSTGUI
