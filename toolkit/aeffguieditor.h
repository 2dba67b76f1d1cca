// Binds a toolkit frame to a VST 2.4 effect: attaches itself as the effect's editor, hands out
// its rectangle, forwards keys and the wheel to the frame, runs the frame's idle redraw, and
// passes edit gestures on to the effect (and so to the host).
#pragma once

#include <cstdint>

#include "aeff_editor.h"
#include "cframe.h"

class AEffGUIEditor : public AEffEditor {
public:
    explicit AEffGUIEditor(AudioEffect* effect);
    ~AEffGUIEditor() override;

    bool getRect(ERect** ppRect) override;
    bool open(void* ptr) override;
    void close() override;
    // Redraws what is dirty, unless doIdleStuff is waiting on the host.
    void idle() override;
    // To the frame's focus view; true only when it used the key.
    bool onKeyDown(VstKeyCode& keyCode) override;
    bool onKeyUp(VstKeyCode& keyCode) override;
    // To the view under the current mouse position.
    bool onWheel(float distance) override;
    bool setKnobMode(VstInt32 mode) override;

    virtual void beginEdit(VstInt32 index);
    virtual void endEdit(VstInt32 index);
    // For controls that track the mouse themselves: at most every 50 ms, runs idle() and then the
    // host's idle (masterIdle) with idle()'s own redraw suspended meanwhile.
    virtual void doIdleStuff();

    VSTGUI::CFrame* getFrame() const { return frame; }

protected:
    static constexpr std::uint32_t kIdleIntervalMs = 50;

    ERect rect{};
    VSTGUI::CFrame* frame = nullptr;
    std::uint32_t lLastTicks;
    bool inIdleStuff = false;
};
