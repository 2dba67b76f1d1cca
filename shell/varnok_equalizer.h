// The equalizer plug-in: identity, the parameter table, and the bridge between the shell's
// hooks and callbacks and the equalizer engine.
#pragma once

#include "edition.h"
#include "equalizer_engine.h"
#include "varnok_fx.h"

#if QX71_WITH_EDITOR
class VarnokEqualizerGUI;
#endif

class VarnokEqualizer : public VarnokFX {
public:
    explicit VarnokEqualizer(audioMasterCallback audioMaster);
    ~VarnokEqualizer() override;

    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) override;

    bool getEffectName(char* name) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override { return 1210; }
    VstInt32 getPlugCategory() override { return kPlugCategEffect; }

    EqualizerEngine& engine() { return engine_; }

protected:
    void updateAllSections(float newRate) override;
    void parameterChanged(VstInt32 index, float value) override;

private:
    // Where the audio callbacks raise the output level: the open editor's peak lamp, or nowhere.
    std::atomic<double>* peakFeed();

    EqualizerEngine engine_;
#if QX71_WITH_EDITOR
    VarnokEqualizerGUI* gui_ = nullptr;  // owned as the effect's editor
#endif
};
