// The LV2 edition's X11 UI: the QX71G editor (gui::HostedEditor) talking to the host through
// ports only. Controls arrive and leave in real units, mapped through parameters/real_values.h;
// gestures are bracketed by ui:touch where the host offers it; the output level port feeds the
// clip lamp. Every call belongs to the host's UI thread.
#pragma once

#include <lv2/ui/ui.h>

#include <cstdint>

#include "hosted_editor.h"

// What the host handed to instantiate; touch and resize may be null.
struct Lv2UiHost {
    LV2UI_Write_Function write = nullptr;
    LV2UI_Controller controller = nullptr;
    const LV2UI_Touch* touch = nullptr;
    const LV2UI_Resize* resize = nullptr;
};

class Lv2EditorUi final : public gui::HostedEditorListener {
public:
    explicit Lv2EditorUi(const Lv2UiHost& host);

    // Opens the editor in the host's window and tells the host its size; false when it cannot.
    bool open(void* parentWindow);
    LV2UI_Widget widget() const { return editor_.window(); }
    bool setScale(double scale) { return editor_.setScale(scale); }

    // A control's value in real units, clamped as the plug-in clamps it, or the output level.
    // Other ports, formats other than float and NaN are ignored.
    void portEvent(uint32_t port, uint32_t format, const void* buffer);
    // 0 while the editor is open, 1 once its window is gone.
    int idle();

    void parameterEdited(int index, float normalized) override;
    void gestureBegan(int index) override;
    void gestureEnded(int index) override;
    bool sizeRequested(int width, int height) override;

private:
    Lv2UiHost host_;
    gui::HostedEditor editor_;
};
