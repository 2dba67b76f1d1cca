// Binds a toolkit frame to a VST 2.4 effect: attaches itself as the effect's editor, hands out
// its rectangle, forwards keys and the wheel to the frame, runs the frame's idle redraw, and
// passes edit gestures on to the effect (and so to the host).
//
// Scale: the editor is laid out in logical pixels (rect, set by the subclass) and shown scale
// times larger, scale from 1 to 3 in steps of 0.25 (see editor_scale.h for where it comes from).
// Every front-end passes the host's scale through setHostScale; getRect answers device pixels.
#pragma once

#include <cstdint>
#include <optional>

#include "aeff_editor.h"
#include "cframe.h"

class AEffGUIEditor : public AEffEditor {
public:
    explicit AEffGUIEditor(AudioEffect* effect);
    ~AEffGUIEditor() override;

    // The window's size in device pixels: at the open editor's scale, or while closed at the scale
    // an open without a different parent window would choose.
    bool getRect(ERect** ppRect) override;
    // Decides the scale (the user's, the host's, the system's for this parent, or 1), then the
    // subclass builds the frame at getScale(). An offscreen open (ptr nullptr) does not ask the
    // system, so that offscreen renderings depend only on what they are given.
    bool open(void* ptr) override;
    void close() override;

    // A scale the host gives (VST 'PreS'/'AeCs', LV2 ui:scaleFactor, CLAP set_scale). False, and
    // nothing changes, when it is not finite or outside [1, 3]; otherwise it is rounded to the
    // nearest 0.25 and kept for every later open. If the window is open and its scale changes,
    // the host is asked to resize it (audioMasterSizeWindow) and, where it agrees, the frame is
    // rebuilt at once; elsewhere the scale applies at the next open.
    bool setHostScale(double scale) override;
    // The effective scale: the open window's, or while closed the one getRect answers for.
    double getScale() const;
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

    // The scale open() decided, for the subclass to build its frame at.
    double openingScale() const { return scale; }

    // Size in logical pixels, set by the subclass.
    ERect rect{};
    VSTGUI::CFrame* frame = nullptr;
    std::uint32_t lLastTicks;
    bool inIdleStuff = false;

private:
    std::optional<double> hostScale;
    double scale = 1.0;
    // The system's scale as asked while closed, kept until the next open: hosts may ask for the
    // rectangle at every idle, and asking X11 costs a display connection.
    mutable std::optional<std::optional<double>> closedSystemScale;
    ERect deviceRect{};
};
