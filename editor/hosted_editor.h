// The QX71G editor for a front-end that is not a VST 2.4 host (the LV2 UI, the CLAP plug-in).
// It makes the VST 2.4 edition's plug-in object in-process, so the editor, the parameter store,
// the lamps and the value laws are exactly that edition's, and stands in for its host: the
// user's edits, the begin/end of gestures and size requests reach a HostedEditorListener instead.
// No audio is processed in it; the front-end's own engine does that.
//
// Values are normalized (0 to 1) as the VST 2.4 edition's parameters are; the front-end maps
// them to its own units. Window handles are the platform's native ones (an X11 Window id or an
// HWND cast to void*). All calls belong to one thread, the front-end's interface thread.
#pragma once

#include <memory>

namespace gui {

class HostedEditorListener {
public:
    // The user changed a parameter (a gesture or a typed value): the stored, normalized value.
    virtual void parameterEdited(int index, float normalized) = 0;
    // A gesture on the parameter begins or ends (a knob drag, a click on a button).
    virtual void gestureBegan(int index) = 0;
    virtual void gestureEnded(int index) = 0;
    // The editor asks for a new window size in pixels; true when the host resized its window.
    virtual bool sizeRequested(int width, int height) = 0;

protected:
    ~HostedEditorListener() = default;
};

class HostedEditor {
public:
    // Throws std::bad_alloc (or what the plug-in object throws) when it cannot be made.
    explicit HostedEditor(HostedEditorListener& listener);
    ~HostedEditor();
    HostedEditor(const HostedEditor&) = delete;
    HostedEditor& operator=(const HostedEditor&) = delete;

    // Opens the editor as a child of parentWindow; false (and nothing open) when it cannot be.
    bool open(void* parentWindow);
    // Handles window events, redraws and animates the lamps; call it 25 to 60 times a second.
    void idle();
    void close();
    bool isOpen() const;
    // The editor window's native handle while open, else null.
    void* window() const;
    // While open, the file descriptor on which its window events arrive (the X11 connection;
    // when it is readable, idle() handles them), else -1.
    int eventDescriptor() const;

    int width() const;
    int height() const;

    // A value from the front-end's host (automation, a preset, a generic control): the controls
    // follow it and the listener is not told. Indices outside the parameter table are ignored.
    void setParameter(int index, float normalized);
    float parameter(int index) const;

    // The output level of the latest audio (1.0 is full scale): the clip lamp lights above 1.0
    // and holds as in the VST 2.4 edition. Ignored while closed and for NaN.
    void feedOutputLevel(double level);

    // The host's interface scale (1.0, 1.5, 2.0 ...), from 1 to 3, rounded to steps of 0.25;
    // false, and nothing changes, for anything else. While open, the window is rebuilt at the
    // new size where the listener's host resizes it, else the scale applies at the next open.
    bool setScale(double scale);
    // The scale the editor draws at (open) or will open at (closed).
    double scale() const;

private:
    class Plugin;
    std::unique_ptr<Plugin> plugin_;
};

}  // namespace gui
