// The edition with its own editor.
#include "equalizer_editor.h"
#include "output_meter.h"

vst::OutputMeter* vst::attachEditor(AudioEffect& effect) {
    return new gui::EqualizerEditor(&effect);  // attaches itself as the effect's editor
}
