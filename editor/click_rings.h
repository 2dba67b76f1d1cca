// Invisible click rings around the selector knobs. A left press picks a position by the angle
// of the pointer around the ring's centre and writes it straight into the effect (plain
// setParameter: no edit gesture, no listener, no automation). They hold no value and draw
// nothing.
//
// Angles are degrees in [0, 360): 0 straight down from the centre, 90 left, 180 up, 270 right,
// growing clockwise on screen.
#pragma once

#include "ccontrol.h"
#include "parameter_table.h"

class AudioEffect;

namespace gui {

namespace arc {

// The angle of a point (dx, dy) from the centre, y down.
float pressAngle(int dx, int dy, float radius);
// Band ring: position k for the angle; thresholds start at startAngle, stepAngle apart.
int bandPosition(float angle, float startAngle, float stepAngle, int positions);
// Filter ring: sector 0..11, centred at 30 * sector degrees.
int filterSector(float angle);

}  // namespace arc

// Base of both rings: the press checks and the angle; the subclass turns it into a parameter.
class ClickRing : public VSTGUI::CControl {
public:
    ClickRing(const VSTGUI::CRect& size, AudioEffect* effect);

    void draw(VSTGUI::CDrawContext* context) override;
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const long& buttons) override;

    AudioEffect* effect;
    float radius = 60.0f;

protected:
    virtual void select(float angle) = 0;
};

class BandRing : public ClickRing {
public:
    BandRing(const VSTGUI::CRect& size, AudioEffect* effect);
    bool isTypeOf(const char* type) const override;

    int paramIndex = 0;
    float startAngle = 15.0f;
    float stepAngle = 30.0f;
    int positions = 8;

protected:
    void select(float angle) override;
};

// Left half (sectors 0-5) sets "Hi-Pass", right half (6-11) "Lo-Pass", each in steps of 0.2.
class FilterRing : public ClickRing {
public:
    static constexpr int kHiPassParameter = param::highPass;
    static constexpr int kLoPassParameter = param::lowPass;

    FilterRing(const VSTGUI::CRect& size, AudioEffect* effect);
    bool isTypeOf(const char* type) const override;

protected:
    void select(float angle) override;
};

}  // namespace gui
