#include "effect_base.h"

#include <cmath>
#include <cstring>

#include "aeff_editor.h"
#include "identity.h"

namespace vst {

namespace {

constexpr const char* kVendor = QX71_VENDOR;
constexpr const char* kProgramName = "Default";

void writeFloatLittleEndian(unsigned char* bytes, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof(bits));
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
}

float readFloatLittleEndian(const unsigned char* bytes) {
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    float value;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

}  // namespace

EffectBase::EffectBase(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, 0, ParameterStore::kCount), params(std::make_unique<ParameterStore>()) {}

EffectBase::~EffectBase() = default;

bool EffectBase::storeAndNotify(VstInt32 index, float value, float notifiedValue) {
    if (!params->store(index, value)) return false;
    parameterChanged(index, notifiedValue);
    if (editor != nullptr) editor->setParameter(index, notifiedValue);
    return true;
}

void EffectBase::setParameter(VstInt32 index, float value) { storeAndNotify(index, value, value); }

void EffectBase::setParameterAutomated(VstInt32 index, float value) {
    // Only a value that was stored is reported to the host's automation.
    if (storeAndNotify(index, value, value)) callHost(audioMasterAutomate, index, 0, nullptr, value);
}

float EffectBase::getParameter(VstInt32 index) {
    return ParameterStore::isValidIndex(index) ? params->value(index) : 0.0f;
}

void EffectBase::getParameterName(VstInt32 index, char* text) {
    if (ParameterStore::isValidIndex(index)) copyText(text, params->entry(index).name, kVstMaxParamStrLen);
}

void EffectBase::getParameterLabel(VstInt32 index, char* text) {
    if (ParameterStore::isValidIndex(index)) copyText(text, params->entry(index).label, kVstMaxParamStrLen);
}

void EffectBase::getParameterDisplay(VstInt32 index, char* text) {
    if (ParameterStore::isValidIndex(index)) float2string(params->value(index), text, kVstMaxParamStrLen);
}

VstInt32 EffectBase::getChunk(void** data, bool isPreset) {
    (void)isPreset;  // program and bank chunks are identical
    if (data == nullptr) return 0;
    for (int i = 0; i < paramCount; ++i) writeFloatLittleEndian(chunkBlock + 4 * i, params->value(i));
    *data = chunkBlock;
    return kChunkSize;
}

VstInt32 EffectBase::setChunk(void* data, VstInt32 byteSize, bool isPreset) {
    (void)isPreset;
    if (data == nullptr || byteSize <= 0) return 0;
    // Only whole floats inside the declared size are read; the other parameters keep their values.
    const int available = byteSize / 4 < paramCount ? byteSize / 4 : paramCount;
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (int i = 0; i < available; ++i) {
        const float value = readFloatLittleEndian(bytes + 4 * i);
        storeAndNotify(i, value, ParameterStore::clampToUnit(value));
    }
    return 0;
}

void EffectBase::getProgramName(char* name) { copyText(name, kProgramName, kVstMaxProgNameLen); }

void EffectBase::setSampleRate(float newRate) {
    // A rate that is not a positive number would turn every coefficient into garbage.
    if (!(newRate > 0.0f) || std::isinf(newRate)) return;
    AudioEffect::setSampleRate(newRate);
    updateAllSections(newRate);
}

bool EffectBase::getVendorString(char* text) {
    copyText(text, kVendor, kVstMaxVendorStrLen);
    return true;
}

VstInt32 EffectBase::canDo(char* text) {
    for (int i = 0; i < canDoCount; ++i) {
        if (std::strcmp(text, canDoList[i]) == 0) return 1;
    }
    return -1;
}

VstIntPtr EffectBase::vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    (void)ptr;
    if (index == kScaleMessageIndex && value == kScaleMessageValue && editor != nullptr) {
        return editor->setHostScale(opt) ? 1 : 0;
    }
    return 0;
}

bool EffectBase::setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output) {
    if (input == nullptr || output == nullptr) return false;
    const VstInt32 inputs = input->numChannels;
    const VstInt32 outputs = output->numChannels;
    monoIO.store(inputs == 1 && outputs == 1, std::memory_order_relaxed);
    return inputs == outputs && (inputs == 1 || inputs == 2);
}

}  // namespace vst
