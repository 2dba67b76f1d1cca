#include "varnok_equalizer.h"

#include "edition.h"
#include "millisecond_ticks.h"
#include "parameter_table.h"

VarnokEqualizer::VarnokEqualizer(audioMasterCallback audioMaster)
    : VarnokFX(audioMaster), engine_(params->values()) {
    engine_.setNoiseSeed(millisecondTicks());
    params->load(kParameterTable);
    canProcessReplacing();
    programsAreChunks();
    canDoubleReplacing();
    setUniqueID(fourCharCode('Q', 'X', '7', '1'));
    setNumInputs(2);
    setNumOutputs(2);
}

VarnokEqualizer::~VarnokEqualizer() = default;

bool VarnokEqualizer::getEffectName(char* name) {
    copyText(name, edition::kEffectName, kVstMaxEffectNameLen);
    return true;
}

bool VarnokEqualizer::getProductString(char* text) {
    copyText(text, edition::kEffectName, kVstMaxProductStrLen);
    return true;
}

void VarnokEqualizer::updateAllSections(float newRate) { engine_.updateAllSections(newRate); }

void VarnokEqualizer::parameterChanged(VstInt32 index, float value) {
    (void)value;  // the designs read the stored, clamped values
    engine_.parameterChanged(index, getSampleRate());
}

void VarnokEqualizer::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    engine_.processReplacing(inputs, outputs, sampleFrames, isMono(), nullptr);
}

void VarnokEqualizer::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) {
    engine_.processDoubleReplacing(inputs, outputs, sampleFrames, isMono(), nullptr);
}
