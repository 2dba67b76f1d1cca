// The program's two filmstrip knobs. Both keep the toolkit knob's drawing, wheel, arrow keys and
// Ctrl+click reset, and replace the drag:
//   SelectorKnob  - continuous and linear: dragRange pixels of travel (right plus up) cover the
//                 whole range; Shift and Alt change nothing.
//   FineKnob - stepped: whole steps of 1/steps per dragRange/steps pixels, a tenth of a step
//                 while Shift is held; any change of the button state re-anchors the drag.
// Every drag is one begin/end edit gesture, and a value change reaches the listener only when
// the knob reports itself dirty (its pointer point moved by a whole pixel).
#pragma once

#include "cknob.h"

namespace gui {

// The gesture both knobs share: the toolkit's press checks, one begin/end edit pair, and the
// press point, every move and nothing else handed to the drag law. Answers type queries as
// CAnimKnob does.
class DragKnob : public VSTGUI::CAnimKnob {
public:
    using CAnimKnob::CAnimKnob;

    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const long& buttons) override;
    VSTGUI::CMouseEventResult onMouseMoved(VSTGUI::CPoint& where, const long& buttons) override;

protected:
    virtual void startDrag(const VSTGUI::CPoint& where, long buttons) = 0;
    // A pointer position during the drag; positions equal to the last one are filtered out.
    virtual void dragTo(const VSTGUI::CPoint& where, long buttons) = 0;
    // Clamps and reports the value if the knob shows the change.
    void commitValue(float newValue);

private:
    void track(const VSTGUI::CPoint& where, long buttons);

    VSTGUI::CPoint lastSeen{-1, -1};
};

class SelectorKnob : public DragKnob {
public:
    SelectorKnob(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, long tag, long frames,
                 VSTGUI::CCoord frameHeight, VSTGUI::CBitmap* bitmap, const VSTGUI::CPoint& offset = VSTGUI::CPoint());

    bool isTypeOf(const char* type) const override;

    float dragRange = 400.0f;

protected:
    void startDrag(const VSTGUI::CPoint& where, long buttons) override;
    void dragTo(const VSTGUI::CPoint& where, long buttons) override;

private:
    float startValue = 0.0f;
    VSTGUI::CPoint anchor;
};

class FineKnob : public DragKnob {
public:
    FineKnob(const VSTGUI::CRect& size, VSTGUI::CControlListener* listener, long tag, long frames,
             VSTGUI::CCoord frameHeight, VSTGUI::CBitmap* bitmap, const VSTGUI::CPoint& offset = VSTGUI::CPoint());

    bool isTypeOf(const char* type) const override;

    float dragRange = 400.0f;
    float steps = 1.0f;

protected:
    void startDrag(const VSTGUI::CPoint& where, long buttons) override;
    void dragTo(const VSTGUI::CPoint& where, long buttons) override;

private:
    long referenceButtons = 0;
    float startValue = 0.0f;
    float stepSize = 0.0f;
    VSTGUI::CPoint anchor;
};

}  // namespace gui
