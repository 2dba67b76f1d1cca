#include "varnok_equalizer.h"

#include "edition.h"
#include "millisecond_ticks.h"
#if QX71_WITH_EDITOR
#include "varnok_equalizer_gui.h"
#endif

VarnokEqualizer::VarnokEqualizer(audioMasterCallback audioMaster)
    : VarnokFX(audioMaster), engine_(params->values()) {
    engine_.setNoiseSeed(millisecondTicks());
    canProcessReplacing();
    programsAreChunks();
    canDoubleReplacing();
    setUniqueID(fourCharCode('Q', 'X', '7', '1'));
    setNumInputs(2);
    setNumOutputs(2);
#if QX71_WITH_EDITOR
    gui_ = new VarnokEqualizerGUI(this);  // attaches itself as this effect's editor
#endif
}

VarnokEqualizer::~VarnokEqualizer() {
#if QX71_WITH_EDITOR
    // The window goes first, while the effect its views report to is still whole.
    gui_->close();
#endif
}

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
    engine_.parameterChanged(index);  // the designs read the stored, clamped values
#if QX71_WITH_EDITOR
    gui_->lampParameterChanged(index, value);
#else
    (void)value;
#endif
}

std::atomic<double>* VarnokEqualizer::peakFeed() {
#if QX71_WITH_EDITOR
    return gui_->peakFeed();
#else
    return nullptr;
#endif
}

void VarnokEqualizer::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    engine_.processReplacing(inputs, outputs, sampleFrames, isMono(), peakFeed());
}

void VarnokEqualizer::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) {
    engine_.processDoubleReplacing(inputs, outputs, sampleFrames, isMono(), peakFeed());
}
