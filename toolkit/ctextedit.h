// A text field that can be typed into. It shows its text, or, when a string-convert hook is
// set, its value through that hook. A left press begins an edit gesture and opens an entry box
// over the control; Enter, losing the focus or any press in the frame ends it, and the listener
// hears of it only if the text changed. The value itself is left to the listener.
#pragma once

#include <memory>

#include "cparamdisplay.h"

namespace VSTGUI {

class PlatformTextField;

class CTextEdit : public CParamDisplay {
public:
    static constexpr int kMaxTypedLength = 254;

    CTextEdit(const CRect& size, CControlListener* listener, long tag, const char* text = nullptr,
              CBitmap* background = nullptr, long style = 0);
    ~CTextEdit() override;

    // Keeps at most 255 characters.
    void setText(const char* text);
    // Copies the text (at most 255 characters and the terminator).
    void getText(char* text) const;

    // Nothing while the entry box is open.
    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const long& buttons) override;
    // Keys go to the open entry box (offscreen typing); Enter finishes.
    long onKeyDown(VstKeyCode& keyCode) override;
    void looseFocus() override;

    bool isEditing() const { return platformControl != nullptr; }
    bool isTypeOf(const char* type) const override;

private:
    void refreshTextFromValue();
    void finishEditing();

    char text[kTextSize] = {};
    std::unique_ptr<PlatformTextField> platformControl;
};

}  // namespace VSTGUI
