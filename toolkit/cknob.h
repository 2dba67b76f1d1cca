// Rotary knobs. CKnob turns 270 degrees clockwise from 225 degrees (value 0.5 points straight
// up), takes the mouse wheel and, while it holds the focus, the arrow keys; Ctrl+click restores
// its default value. CAnimKnob shows one frame of a vertical filmstrip per value.
#pragma once

#include "ccontrol.h"

namespace VSTGUI {

enum CKnobMode : long { kCircularMode = 0, kRelativCircularMode = 1, kLinearMode = 2 };

class CKnob : public CControl {
public:
    CKnob(const CRect& size, CControlListener* listener, long tag, CBitmap* background, CBitmap* handle,
          const CPoint& offset = CPoint());
    ~CKnob() override;

    void draw(CDrawContext* context) override;

    // Stock drag: linear (right and up raise the value, 200 pixels for the range, ten times
    // finer with Shift) or by the pointer's angle, as the process-wide knob mode says.
    CMouseEventResult onMouseDown(CPoint& where, const long& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const long& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const long& buttons) override;
    bool onWheel(const CPoint& where, const float& distance, const long& buttons) override;
    long onKeyDown(VstKeyCode& keyCode) override;

    // The pointer's tip for the current value, in the knob's own coordinates (y down).
    virtual void valueToPoint(CPoint& point) const;
    // The value whose pointer direction passes through the point (knob coordinates), unclamped.
    virtual float valueFromPoint(const CPoint& point) const;

    void setInsetValue(CCoord value) { inset = value; }
    CCoord getInsetValue() const { return inset; }
    void setStartAngle(float angle) { startAngle = angle; }
    float getStartAngle() const { return startAngle; }
    void setRangeAngle(float angle) { rangeAngle = angle; }
    float getRangeAngle() const { return rangeAngle; }
    void setHandleBitmap(CBitmap* handle);

    // One mode for every knob of the process.
    static void setKnobMode(long mode);
    static long getKnobMode();

    bool isTypeOf(const char* type) const override;

protected:
    enum PressStart { kPressIgnored, kPressConsumed, kPressStartsDrag };
    // The checks before a drag: enabled, left button, the listener's modifier hook, Ctrl+click
    // reset. buttons is resolved when it came as -1.
    PressStart startPress(long& buttons);
    // Adds delta (clamped) and, if that shows, reports it as one gesture.
    void nudgeValue(float delta);

    CBitmap* pHandle = nullptr;
    CPoint offset;
    CCoord inset = 3;
    float startAngle;
    float rangeAngle;
    // A drag gesture is in progress (begun at the press, ended at the release).
    bool dragging = false;

private:
    float dragStartValue = 0;
    CPoint dragStartPoint;
};

class CAnimKnob : public CKnob {
public:
    CAnimKnob(const CRect& size, CControlListener* listener, long tag, long subPixmaps, CCoord heightOfOneImage,
              CBitmap* background, const CPoint& offset = CPoint());

    // Draws the frame chosen by frameOffsetForValue and remembers the pointer point drawn.
    void draw(CDrawContext* context) override;
    // Not dirty while unmarked and the pointer point has not moved since the last draw.
    bool isDirty() const override;

    // Vertical source offset of the frame for the current value.
    CCoord frameOffsetForValue() const;

    void setInverseBitmap(bool state) { bInverseBitmap = state; }
    bool getInverseBitmap() const { return bInverseBitmap; }
    long getNumSubPixmaps() const { return subPixmaps; }
    CCoord getHeightOfOneImage() const { return heightOfOneImage; }

    bool isTypeOf(const char* type) const override;

protected:
    long subPixmaps;
    CCoord heightOfOneImage;
    bool bInverseBitmap = false;
    CPoint lastDrawnPoint{-1, -1};
};

}  // namespace VSTGUI
