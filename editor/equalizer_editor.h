// The editor of the QX71G edition: a fixed window the size of the background artwork with the
// 43 views of the layout. It turns gestures into parameter changes, follows parameter changes
// from any source, and animates the section lamps and the clip lamp.
//
// Threads: open, close, idle, the views and valueChanged belong to the host's interface thread.
// setParameter, the lamp notifications and the peak feed may come from any thread; they only
// touch the atomics below, never a view, so close() may destroy the views at any moment. A
// parameter change from another thread reaches the controls at the next idle. The lamp flags
// are set from the parameters at construction and follow every change from then on.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "aeffguieditor.h"
#include "editor_layout.h"
#include "editor_views.h"
#include "lamps.h"
#include "output_meter.h"

namespace gui {

class EqualizerEditor : public AEffGUIEditor, public VSTGUI::CControlListener, public vst::OutputMeter {
public:
    static constexpr std::uint32_t kBlinkIntervalMs = 500;

    explicit EqualizerEditor(AudioEffect* effect);
    ~EqualizerEditor() override;

    bool open(void* parentWindow) override;
    void close() override;
    void idle() override;
    void setParameter(VstInt32 index, float value) override;
    void valueChanged(VSTGUI::CDrawContext* context, VSTGUI::CControl* control) override;

    // Sets a lamp's flags from a selector or mute value as notified (setParameter calls it);
    // other indices do nothing.
    void lampParameterChanged(VstInt32 index, float value);
    // Where the audio callbacks raise the output level while the window is open, else null.
    std::atomic<double>* peakFeed() override;

    bool isGuiOpen() const { return guiOpen.load() != 0; }
    const EditorViews& getViews() const { return views; }
    const SectionLampState& lampState(LampSection section) const { return lamps[section]; }

private:
    bool buildWindow(void* parentWindow);
    // Moves the controls bound to the index to the stored value (interface thread only).
    void showParameter(VstInt32 index);
    void showPendingParameters();

    EditorViews views;
    std::uint32_t lastBlinkTicks;
    bool blinkPhase = false;
    std::atomic<int> guiOpen{0};

    SectionLampState lamps[kLampSectionCount];
    std::atomic<double> peakLevel{0.0};
    // Parameters changed on another thread and not yet shown (bit i for parameter i).
    std::atomic<std::uint32_t> pendingParameters{0};
    // The thread that opened the window: its changes are shown at once.
    std::atomic<std::thread::id> interfaceThread;
};

}  // namespace gui
