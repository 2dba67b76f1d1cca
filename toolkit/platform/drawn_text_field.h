// A text entry box that the toolkit draws itself over the frame's back buffer, for platforms
// without a native edit control (and the offscreen backend). It opens with the whole text
// selected, so that the first character typed replaces it; it has a blinking caret that arrows,
// Home, End and clicks move; Backspace and Delete erase; Enter commits and Escape commits the
// text the box opened with, which the text edit sees as no change.
#pragma once

#include <cstdint>
#include <string>

#include "platform_frame.h"

namespace VSTGUI {

class DrawnTextField : public PlatformTextField {
public:
    static constexpr std::uint32_t kBlinkIntervalMs = 500;

    // openField is the frame's pointer to its open field: this field, until it goes away.
    DrawnTextField(const TextFieldStyle& style, DrawnTextField*& openField);
    ~DrawnTextField() override;

    std::string getText() const override { return text; }
    KeyResult onKey(const VstKeyCode& key) override;

    const CRect& area() const { return style.rect; }
    // Puts the caret at the character boundary nearest to where (frame coordinates).
    void onMouseDown(const CPoint& where);
    // Draws the box into the part of area (frame coordinates) that it covers.
    void draw(CDrawContext& context, const CRect& area) const;
    // Flips the caret when its interval is over; true when the box must be drawn again.
    bool blink(std::uint32_t nowMs);

    std::size_t caretIndex() const { return caret; }
    bool isAllSelected() const { return allSelected; }

private:
    // Left edge of the text as the centred line is drawn.
    float textLeft() const;
    void replaceSelection();
    void showCaret();

    TextFieldStyle style;
    std::string opening;
    std::string text;
    std::size_t caret;
    bool allSelected = true;
    bool caretShown = true;
    std::uint32_t lastBlinkMs;
    DrawnTextField*& openField;
};

}  // namespace VSTGUI
