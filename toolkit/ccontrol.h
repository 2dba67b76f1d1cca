// A view with a value: value, range, default, tag, listener and the begin/end edit gesture that
// reaches the host through the frame and the editor.
#pragma once

#include "cview.h"

namespace VSTGUI {

class CControl;

class CControlListener {
public:
    virtual ~CControlListener() = default;
    virtual void valueChanged(CDrawContext* context, CControl* control) = 0;
    // Non-zero stops the press that carried a modifier.
    virtual long controlModifierClicked(CDrawContext* context, CControl* control, long button) {
        (void)context, (void)control, (void)button;
        return 0;
    }
};

class CControl : public CView {
public:
    CControl(const CRect& size, CControlListener* listener = nullptr, long tag = 0, CBitmap* background = nullptr);

    // The setters store without clamping or marking dirty.
    virtual void setValue(float newValue) { value = newValue; }
    virtual float getValue() const { return value; }
    void setMin(float newMin) { vmin = newMin; }
    float getMin() const { return vmin; }
    void setMax(float newMax) { vmax = newMax; }
    float getMax() const { return vmax; }
    void setOldValue(float newOld) { oldValue = newOld; }
    float getOldValue() const { return oldValue; }
    void setDefaultValue(float newDefault) { defaultValue = newDefault; }
    float getDefaultValue() const { return defaultValue; }
    void setWheelInc(float increment) { wheelInc = increment; }
    float getWheelInc() const { return wheelInc; }
    void setTag(long newTag) { tag = newTag; }
    long getTag() const { return tag; }
    void setListener(CControlListener* newListener) { listener = newListener; }
    CControlListener* getListener() const { return listener; }

    // Clamps the value into [min, max].
    void bounceValue();

    // Takes the frame's focus and announces the gesture on this tag to the editor.
    virtual void beginEdit();
    virtual void endEdit();

    // Left + Ctrl exactly: one gesture that sets the default value; true when it applied.
    virtual bool checkDefaultValue(long button);

    // Dirty when the value moved since the last draw, or when marked.
    bool isDirty() const override;
    void setDirty(bool state = true) override;

    bool isTypeOf(const char* type) const override;

protected:
    // The listener's valueChanged with the frame's context.
    void notifyValueChanged();
    // The frame's current button state when a caller passes -1 ("unknown").
    long resolveButtons(long buttons) const;
    CDrawContext* frameContext() const;

    CControlListener* listener;
    long tag;
    float value = 0.0f;
    float oldValue = 1.0f;
    float defaultValue = 0.5f;
    float vmin = 0.0f;
    float vmax = 1.0f;
    float wheelInc = 0.1f;
};

}  // namespace VSTGUI
