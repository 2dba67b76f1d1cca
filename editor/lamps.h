// The section lamps and the clip lamp. Their state lives outside the views, in atomics that the
// editor owns for the effect's whole life: other threads (the parameter hook, the audio
// callbacks) write only those, never a view, so closing the window can destroy the lamps at any
// time. Both lamps repaint on every frame idle, which the blinking and the peak hold rely on.
#pragma once

#include <atomic>
#include <cstdint>

#include "ccontrol.h"

namespace gui {

// What a section lamp shows: ledOn normally; overrideOn (the blink phase) while overrideActive.
struct SectionLampState {
    std::atomic<bool> ledOn{false};
    std::atomic<bool> overrideActive{false};
    std::atomic<bool> overrideOn{false};

    bool lit() const { return overrideActive.load() ? overrideOn.load() : ledOn.load(); }
};

// A two-frame lamp (dark on top, lit below) that is always dirty: it keeps the control's stored
// old value at -1 while its value stays 0.
class TwoFrameLamp : public VSTGUI::CControl {
public:
    TwoFrameLamp(const VSTGUI::CRect& size, VSTGUI::CBitmap* bitmap);
    // Only the dirty flag; the old value stays where it is.
    void setDirty(bool state = true) override;

protected:
    void drawFrame(VSTGUI::CDrawContext* context, bool lit);
};

class SectionLamp : public TwoFrameLamp {
public:
    SectionLamp(const VSTGUI::CRect& size, VSTGUI::CBitmap* bitmap, const SectionLampState& state);
    void draw(VSTGUI::CDrawContext* context) override;
    bool isTypeOf(const char* type) const override;

private:
    const SectionLampState& state;
};

// Lit while the output level went above 1.0 within the last holdMs milliseconds of draws.
class ClipLamp : public TwoFrameLamp {
public:
    // peakLevel is raised by the audio thread; each draw takes it and leaves 0.
    ClipLamp(const VSTGUI::CRect& size, VSTGUI::CBitmap* bitmap, std::atomic<double>& peakLevel);
    void draw(VSTGUI::CDrawContext* context) override;
    bool isTypeOf(const char* type) const override;

    std::uint32_t holdMs = 300;

private:
    std::atomic<double>& peakLevel;
    std::uint32_t lastTick;
    bool holding = false;
};

}  // namespace gui
