#include "ctextedit.h"

#include <cstring>
#include <string>

#include "cframe.h"
#include "platform/platform_frame.h"

namespace VSTGUI {

CTextEdit::CTextEdit(const CRect& size, CControlListener* listener, long tag, const char* initialText,
                     CBitmap* background, long style)
    : CParamDisplay(size, background, style) {
    setListener(listener);
    setTag(tag);
    setText(initialText);
}

CTextEdit::~CTextEdit() = default;

void CTextEdit::setText(const char* newText) {
    std::size_t length = newText ? std::strlen(newText) : 0;
    if (length > kTextSize - 1) length = kTextSize - 1;
    std::memcpy(text, newText ? newText : "", length);
    text[length] = 0;
    setDirty();
}

void CTextEdit::getText(char* out) const { std::memcpy(out, text, std::strlen(text) + 1); }

void CTextEdit::refreshTextFromValue() {
    if (!hasStringConvert()) return;
    char converted[kTextSize];
    valueToText(value, converted);
    converted[kTextSize - 1] = 0;
    std::memcpy(text, converted, std::strlen(converted) + 1);
}

void CTextEdit::draw(CDrawContext* context) {
    if (!platformControl) {
        refreshTextFromValue();
        drawText(context, text);
    }
    setDirty(false);
}

CMouseEventResult CTextEdit::onMouseDown(CPoint& where, const long& buttons) {
    (void)where;
    CFrame* frame = getFrame();
    if (!frame || !getMouseEnabled() || !(resolveButtons(buttons) & kLButton) || frame->getFocusView() == this) {
        return kMouseEventNotHandled;
    }
    beginEdit();
    refreshTextFromValue();
    TextFieldStyle style;
    style.rect = size;
    style.font = standardFont(font);
    style.fontColor = fontColor;
    style.backColor = backColor;
    style.text = text;
    style.maxLength = kTextSize - 1;
    platformControl = frame->openTextField(style);
    if (!platformControl) {
        endEdit();
        frame->setFocusView(nullptr);
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    frame->redrawView(this);
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

long CTextEdit::onKeyDown(VstKeyCode& keyCode) {
    if (!platformControl) return -1;
    PlatformTextField::KeyResult result = platformControl->onKey(keyCode);
    if (result == PlatformTextField::kKeyCommits && getFrame()) {
        getFrame()->setFocusView(nullptr);  // runs looseFocus, which finishes the edit
    }
    return result == PlatformTextField::kKeyIgnored ? -1 : 1;
}

void CTextEdit::looseFocus() { finishEditing(); }

void CTextEdit::finishEditing() {
    if (!platformControl) return;
    std::unique_ptr<PlatformTextField> field = std::move(platformControl);
    endEdit();
    std::string typed = field->getText();
    if (typed.size() > static_cast<std::size_t>(kMaxTypedLength)) typed.resize(kMaxTypedLength);
    field.reset();
    bool changed = typed != text;
    std::memcpy(text, typed.c_str(), typed.size() + 1);
    setDirty();
    if (changed) notifyValueChanged();
}

bool CTextEdit::isTypeOf(const char* type) const {
    return isTypeName(type, "CTextEdit") || CParamDisplay::isTypeOf(type);
}

}  // namespace VSTGUI
