#include "equalizer_plugin.h"

#include "edition.h"
#include "millisecond_ticks.h"

namespace vst {

EqualizerPlugin::EqualizerPlugin(audioMasterCallback audioMaster) : EffectBase(audioMaster), engine_(params->values()) {
    engine_.setNoiseSeed(dsp::millisecondTicks());
    canProcessReplacing();
    programsAreChunks();
    canDoubleReplacing();
    setUniqueID(fourCharCode(QX71_UNIQUE_ID));
    setNumInputs(2);
    setNumOutputs(2);
    meter_ = attachEditor(*this);
}

EqualizerPlugin::~EqualizerPlugin() {
    // The window goes first, while the effect its views report to is still whole.
    if (editor != nullptr) editor->close();
}

bool EqualizerPlugin::getEffectName(char* name) {
    copyText(name, edition::kEffectName, kVstMaxEffectNameLen);
    return true;
}

bool EqualizerPlugin::getProductString(char* text) {
    copyText(text, edition::kEffectName, kVstMaxProductStrLen);
    return true;
}

void EqualizerPlugin::updateAllSections(float newRate) { engine_.updateAllSections(newRate); }

void EqualizerPlugin::parameterChanged(VstInt32 index, float value) {
    (void)value;                      // the designs read the stored, clamped values
    engine_.parameterChanged(index);  // the editor learns of the change through setParameter
}

std::atomic<double>* EqualizerPlugin::peakFeed() { return meter_ != nullptr ? meter_->peakFeed() : nullptr; }

void EqualizerPlugin::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    engine_.processReplacing(inputs, outputs, sampleFrames, isMono(), peakFeed());
}

void EqualizerPlugin::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) {
    engine_.processDoubleReplacing(inputs, outputs, sampleFrames, isMono(), peakFeed());
}

}  // namespace vst
