// The edition with its own editor.
#include "equalizer_editor.h"
#include "output_meter.h"

OutputMeter* attachEditor(AudioEffect& effect) {
    return new EqualizerEditor(&effect);  // attaches itself as the effect's editor
}
