// The product line's plug-in base: the parameter store, the state chunk, the program name,
// vendor identity, the capability list, the speaker arrangement, and the two hooks through
// which a concrete effect learns of parameter and sample-rate changes.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "audio_effect_x.h"
#include "parameter_store.h"

namespace vst {

class EffectBase : public AudioEffectX {
public:
    static constexpr int kChunkSize = 4 * ParameterStore::kCount;

    explicit EffectBase(audioMasterCallback audioMaster);
    ~EffectBase() override;

    void setParameter(VstInt32 index, float value) override;
    void setParameterAutomated(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void getParameterName(VstInt32 index, char* text) override;
    void getParameterLabel(VstInt32 index, char* text) override;
    void getParameterDisplay(VstInt32 index, char* text) override;

    VstInt32 getChunk(void** data, bool isPreset) override;
    VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;
    void getProgramName(char* name) override;
    void setProgramName(char* name) override { (void)name; }

    void setSampleRate(float newRate) override;
    bool getVendorString(char* text) override;
    VstInt32 canDo(char* text) override;
    // The display scale of DPI-aware hosts: index 'PreS', value 'AeCs', the scale in opt. 1 when
    // the editor took the scale, 0 otherwise (no editor, or a scale outside [1, 3]).
    VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) override;
    bool setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output) override;

    bool isMono() const { return monoIO.load(std::memory_order_relaxed); }

protected:
    // Redesign everything for a new sample rate.
    virtual void updateAllSections(float newRate) { (void)newRate; }
    // Runs after every store, with the value as the caller passed it (setParameter) or as
    // stored (setChunk).
    virtual void parameterChanged(VstInt32 index, float value) { (void)index, (void)value; }

    const char* const* canDoList = nullptr;
    std::unique_ptr<ParameterStore> params;
    uint16_t paramCount = ParameterStore::kCount;
    uint16_t canDoCount = 0;
    std::atomic<bool> monoIO{false};

private:
    // Stores, then notifies the hook and the editor; false when nothing was stored.
    bool storeAndNotify(VstInt32 index, float value, float notifiedValue);

    // One block per instance, handed to the host by getChunk and valid until the next call.
    unsigned char chunkBlock[kChunkSize] = {};
};

}  // namespace vst
