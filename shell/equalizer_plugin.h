// The equalizer plug-in: identity, the parameter table, and the bridge between the shell's
// hooks and callbacks and the equalizer engine.
#pragma once

#include "edition.h"
#include "effect_base.h"
#include "equalizer_engine.h"
#include "output_meter.h"

namespace vst {

class EqualizerPlugin : public EffectBase {
public:
    explicit EqualizerPlugin(audioMasterCallback audioMaster);
    ~EqualizerPlugin() override;

    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) override;

    bool getEffectName(char* name) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override { return QX71_VENDOR_VERSION; }
    VstInt32 getPlugCategory() override { return kPlugCategEffect; }

    dsp::EqualizerEngine& engine() { return engine_; }

protected:
    void updateAllSections(float newRate) override;
    void parameterChanged(VstInt32 index, float value) override;

private:
    // Where the audio callbacks raise the output level: the open editor's peak lamp, or nowhere.
    std::atomic<double>* peakFeed();

    dsp::EqualizerEngine engine_;
    OutputMeter* meter_ = nullptr;  // the editor's, owned as the effect's editor; null without one
};

}  // namespace vst
