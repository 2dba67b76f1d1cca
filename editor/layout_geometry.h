// Format: one "constexpr <Type> <name> = <number>;" or "= {a, b[, c, d]};" per line (tools/artwork parses it).
#pragma once

// Editor geometry shared by the controls and the artwork generator, so that the painted scales,
// the knob strips and the click areas are all derived from the same numbers.
// Pixels, origin top-left, y down; rectangles are (left, top, right, bottom).
namespace layout {

struct Point {
    int x;
    int y;
};

struct Rect {
    int left;
    int top;
    int right;
    int bottom;
};

// Window (the background bitmap has this size).
constexpr int editorWidth = 290;
constexpr int editorHeight = 660;

// Centres of the three band sections, the pass-filter section and the knobs beside them.
constexpr Point highBandCentre = {80, 80};
constexpr Point midBandCentre = {80, 220};
constexpr Point lowBandCentre = {80, 360};
constexpr Point filterCentre = {80, 540};
constexpr Point highBwCentre = {210, 80};
constexpr Point midBwCentre = {210, 220};
constexpr Point lowBwCentre = {210, 360};
constexpr Point outputCentre = {210, 540};

// Nesting around a section centre: click ring, selector knob, inner knob.
constexpr int ringRadius = 60;
constexpr int selectorKnobSize = 80;
constexpr int innerKnobSize = 60;
constexpr int sideKnobSize = 80;
// The inner knob takes clicks only this far inside its rectangle, so its rim belongs to the outer knob.
constexpr int innerKnobMouseInset = 8;

// Band click rings: positions by angle (degrees, 0 straight down, clockwise on screen).
constexpr int bandPositions = 8;
constexpr float bandStartAngle = 15.0f;
constexpr float bandStepAngle = 30.0f;

// Filter ring: twelve sectors centred at 30 * g degrees; the first six set Hi-Pass, the rest Lo-Pass.
constexpr int filterSectors = 12;
constexpr int hiPassSectors = 6;
constexpr float filterSectorAngle = 30.0f;

// Continuous knobs: value 0 at 225 degrees (counter-clockwise from 3 o'clock), 270 degrees clockwise to value 1.
constexpr float knobStartAngle = 225.0f;
constexpr float knobSweepAngle = 270.0f;

// Frame strips.
constexpr int fineKnobFrames = 101;
constexpr int bandSelectorFrames = 8;
constexpr int filterKnobFrames = 6;
constexpr int switchFrameHeight = 30;
constexpr int lampSize = 28;
constexpr int slopePositions = 4;
constexpr int typePositions = 2;

// Switches and buttons.
constexpr Rect highTypeSwitch = {190, 120, 230, 150};
constexpr Rect midTypeSwitch = {190, 260, 230, 290};
constexpr Rect lowTypeSwitch = {190, 400, 230, 430};
constexpr Rect loSlopeSwitch = {32, 460, 92, 490};
constexpr Rect hiSlopeSwitch = {68, 590, 128, 620};
// The slope switches leave the 5 pixels facing the filter ring to the ring.
constexpr Rect loSlopeMouseArea = {32, 460, 92, 485};
constexpr Rect hiSlopeMouseArea = {68, 595, 128, 620};
constexpr Rect highModeButton = {60, 120, 100, 150};
constexpr Rect lowModeButton = {60, 400, 100, 430};
constexpr Rect phaseButton = {190, 581, 230, 611};
constexpr Rect analogButton = {133, 603, 173, 633};

// Lamps; each section lamp shares its rectangle with the invisible mute button above it.
constexpr Rect highLamp = {131, 80, 159, 108};
constexpr Rect midLamp = {131, 220, 159, 248};
constexpr Rect lowLamp = {131, 360, 159, 388};
constexpr Rect hiPassLamp = {12, 592, 40, 620};
constexpr Rect loPassLamp = {121, 460, 149, 488};
constexpr Rect peakLamp = {230, 605, 258, 633};

// Value readouts.
constexpr Rect highGainReadout = {105, 117, 135, 129};
constexpr Rect midGainReadout = {105, 257, 135, 269};
constexpr Rect lowGainReadout = {105, 397, 135, 409};
constexpr Rect highBwReadout = {245, 40, 275, 52};
constexpr Rect midBwReadout = {245, 180, 275, 192};
constexpr Rect lowBwReadout = {245, 320, 275, 332};
constexpr Rect outputReadout = {245, 500, 275, 512};

}  // namespace layout
