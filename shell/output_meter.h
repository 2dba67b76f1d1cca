// What an editor that shows the output level offers the audio callbacks, and how an edition
// attaches its editor to the effect.
#pragma once

#include <atomic>

class AudioEffect;

namespace vst {

class OutputMeter {
public:
    // Where the audio callbacks raise the output level while it is shown, else null.
    virtual std::atomic<double>* peakFeed() = 0;

protected:
    ~OutputMeter() = default;
};

// Attaches the edition's editor to `effect` (which then owns it) and answers its meter; the
// edition without an editor attaches nothing and answers null. One definition per edition is
// linked: editor/attach_editor.cpp or shell/no_editor.cpp.
OutputMeter* attachEditor(AudioEffect& effect);

}  // namespace vst
