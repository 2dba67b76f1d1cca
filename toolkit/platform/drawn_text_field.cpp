#include "drawn_text_field.h"

#include <algorithm>
#include <cmath>

#include "../clock.h"
#include "../text_rasterizer.h"

namespace VSTGUI {
namespace {

// The selection colours of a standard edit box.
const CColor kSelectionBack{0, 120, 215, 255};
const CColor kSelectionText{255, 255, 255, 255};

}  // namespace

DrawnTextField::DrawnTextField(const TextFieldStyle& style, DrawnTextField*& openField)
    : style(style),
      opening(style.text),
      text(style.text),
      caret(style.text.size()),
      lastBlinkMs(qx71::nowMs()),
      openField(openField) {
    openField = this;
}

DrawnTextField::~DrawnTextField() {
    if (openField == this) openField = nullptr;
}

PlatformTextField::KeyResult DrawnTextField::onKey(const VstKeyCode& key) {
    switch (key.virt) {
        case VKEY_RETURN:
        case VKEY_ENTER: return kKeyCommits;
        case VKEY_ESCAPE: text = opening; return kKeyCommits;
        case VKEY_BACK:
            if (allSelected) {
                replaceSelection();
            } else if (caret > 0) {
                text.erase(--caret, 1);
            }
            break;
        case VKEY_DELETE:
            if (allSelected) {
                replaceSelection();
            } else if (caret < text.size()) {
                text.erase(caret, 1);
            }
            break;
        case VKEY_LEFT: caret = allSelected ? 0 : (caret > 0 ? caret - 1 : 0); break;
        case VKEY_RIGHT: caret = allSelected ? text.size() : std::min(caret + 1, text.size()); break;
        case VKEY_HOME: caret = 0; break;
        case VKEY_END: caret = text.size(); break;
        case 0:
            if (key.character == '\r') return kKeyCommits;
            if (key.character == '\b') {
                VstKeyCode back{0, VKEY_BACK, key.modifier};
                return onKey(back);
            }
            if (key.character < 32 || key.character > 126) return kKeyIgnored;
            if (allSelected) replaceSelection();
            if (static_cast<int>(text.size()) >= style.maxLength) return kKeyUsed;
            text.insert(caret++, 1, static_cast<char>(key.character));
            break;
        default: return kKeyIgnored;
    }
    allSelected = false;
    showCaret();
    return kKeyUsed;
}

void DrawnTextField::replaceSelection() {
    text.clear();
    caret = 0;
}

void DrawnTextField::showCaret() {
    caretShown = true;
    lastBlinkMs = qx71::nowMs();
}

float DrawnTextField::textLeft() const {
    float width = textWidth(text.c_str(), style.font.size);
    return std::floor(style.rect.left + (style.rect.width() - width) / 2 + 0.5f);
}

void DrawnTextField::onMouseDown(const CPoint& where) {
    float x = textLeft();
    caret = 0;
    while (caret < text.size()) {
        float advance = textWidth(text.substr(caret, 1).c_str(), style.font.size);
        if (where.x < x + advance / 2) break;
        x += advance;
        ++caret;
    }
    allSelected = false;
    showCaret();
}

bool DrawnTextField::blink(std::uint32_t nowMs) {
    if (nowMs - lastBlinkMs < kBlinkIntervalMs) return false;
    lastBlinkMs = nowMs;
    caretShown = !caretShown;
    return true;
}

void DrawnTextField::draw(CDrawContext& context, const CRect& area) const {
    CRect visible = area.intersection(style.rect);
    if (visible.isEmpty()) return;
    CPoint oldOffset = context.getOffset();
    CRect oldClip;
    context.getClipRect(oldClip);
    context.setOffset(CPoint());
    context.setClipRect(visible);
    context.setFillColor(style.backColor);
    context.fillRect(style.rect);

    const CRect& box = style.rect;
    float left = textLeft();
    CColor textColor = style.fontColor;
    if (allSelected && !text.empty()) {
        float width = textWidth(text.c_str(), style.font.size);
        context.setFillColor(kSelectionBack);
        context.fillRect(CRect(static_cast<CCoord>(left), box.top + 1, static_cast<CCoord>(std::ceil(left + width)),
                               box.bottom - 1));
        textColor = kSelectionText;
    }
    context.setFont(kNormalFont, style.font.size);
    context.setFontColor(textColor);
    context.drawString(text.c_str(), box, kCenterText);
    if (caretShown) {
        auto x = static_cast<CCoord>(left + textWidth(text.substr(0, caret).c_str(), style.font.size));
        context.setFillColor(style.fontColor);
        context.fillRect(CRect(x, box.top + 1, x + 1, box.bottom - 1));
    }
    context.setOffset(oldOffset);
    context.setClipRect(oldClip);
}

}  // namespace VSTGUI
