#include "audio_effect.h"

#include <cmath>
#include <cstring>

#include "text_format.h"

namespace {

AudioEffect* instanceOf(AEffect* effect) {
    return effect != nullptr ? static_cast<AudioEffect*>(effect->object) : nullptr;
}

VstIntPtr VSTCALLBACK dispatchEffect(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                     float opt) {
    AudioEffect* instance = instanceOf(effect);
    if (instance == nullptr) return 0;
    const VstIntPtr answer = instance->dispatcher(opcode, index, value, ptr, opt);
    if (opcode == effClose) {
        delete instance;
        return 1;
    }
    return answer;
}

void VSTCALLBACK processAccumulating(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    if (AudioEffect* instance = instanceOf(effect)) instance->process(inputs, outputs, frames);
}

void VSTCALLBACK processReplacingEffect(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    if (AudioEffect* instance = instanceOf(effect)) instance->processReplacing(inputs, outputs, frames);
}

void VSTCALLBACK processDoubleReplacingEffect(AEffect* effect, double** inputs, double** outputs, VstInt32 frames) {
    if (AudioEffect* instance = instanceOf(effect)) instance->processDoubleReplacing(inputs, outputs, frames);
}

void VSTCALLBACK setParameterEffect(AEffect* effect, VstInt32 index, float value) {
    if (AudioEffect* instance = instanceOf(effect)) instance->setParameter(index, value);
}

float VSTCALLBACK getParameterEffect(AEffect* effect, VstInt32 index) {
    AudioEffect* instance = instanceOf(effect);
    return instance != nullptr ? instance->getParameter(index) : 0.0f;
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
    : audioMaster(audioMaster), numPrograms(numPrograms), numParams(numParams) {
    std::memset(&cEffect, 0, sizeof(cEffect));
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEffect;
    cEffect.process = processAccumulating;
    cEffect.setParameter = setParameterEffect;
    cEffect.getParameter = getParameterEffect;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.flags = effFlagsCanReplacing;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = fourCharCode('N', 'o', 'E', 'f');
    cEffect.version = 1;
    cEffect.processReplacing = processReplacingEffect;
    cEffect.processDoubleReplacing = processDoubleReplacingEffect;
}

AudioEffect::~AudioEffect() { delete editor; }

void AudioEffect::setEditor(AEffEditor* newEditor) {
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

void AudioEffect::setFlag(VstInt32 bit, bool state) {
    if (state) {
        cEffect.flags |= bit;
    } else {
        cEffect.flags &= ~bit;
    }
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return audioMaster != nullptr ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

void AudioEffect::copyText(char* text, const char* source, VstInt32 maxLen) { copyLimited(text, source, maxLen); }

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    switch (opcode) {
        case effOpen: open(); return 0;
        case effClose: close(); return 0;
        case effSetProgram:
            // A negative number is no program either.
            if (value >= 0 && static_cast<VstInt32>(value) < numPrograms) setProgram(static_cast<VstInt32>(value));
            return 0;
        case effGetProgram: return getProgram();
        case effSetProgramName: setProgramName(static_cast<char*>(ptr)); return 0;
        case effGetProgramName: getProgramName(static_cast<char*>(ptr)); return 0;
        case effGetParamLabel: getParameterLabel(index, static_cast<char*>(ptr)); return 0;
        case effGetParamDisplay: getParameterDisplay(index, static_cast<char*>(ptr)); return 0;
        case effGetParamName: getParameterName(index, static_cast<char*>(ptr)); return 0;
        case effSetSampleRate: setSampleRate(opt); return 0;
        case effSetBlockSize: setBlockSize(static_cast<VstInt32>(value)); return 0;
        case effMainsChanged:
            if (value == 0) {
                suspend();
            } else {
                resume();
            }
            return 0;
        case effEditGetRect:
            return editor != nullptr && ptr != nullptr && editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
        case effEditOpen: return editor != nullptr && editor->open(ptr) ? 1 : 0;
        case effEditClose:
            if (editor != nullptr) editor->close();
            return 0;
        case effEditIdle:
            if (editor != nullptr) editor->idle();
            return 0;
        case effIdentify: return kEffectIdentify;
        case effGetChunk: return ptr != nullptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
        case effSetChunk: return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
        default: return 0;
    }
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

VstInt32 AudioEffect::getMasterVersion() {
    const VstIntPtr version = callHost(audioMasterVersion);
    return version != 0 ? static_cast<VstInt32>(version) : 1;
}

VstInt32 AudioEffect::getCurrentUniqueId() { return static_cast<VstInt32>(callHost(audioMasterCurrentId)); }

void AudioEffect::masterIdle() { callHost(audioMasterIdle); }

bool AudioEffect::isInputConnected(VstInt32 input) { return callHost(audioMasterPinConnected, input, 0) == 0; }

bool AudioEffect::isOutputConnected(VstInt32 output) { return callHost(audioMasterPinConnected, output, 1) == 0; }

void AudioEffect::dB2string(float value, char* text, VstInt32 maxLen) {
    if (value <= 0) {
        copyLimited(text, "-oo", maxLen);
    } else {
        float2string(static_cast<float>(20.0 * std::log10(value)), text, maxLen);
    }
}

void AudioEffect::Hz2string(float samples, char* text, VstInt32 maxLen) {
    const float rate = getSampleRate();
    float2string(samples != 0 ? rate / samples : 0.0f, text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, VstInt32 maxLen) {
    float2string(static_cast<float>(samples * 1000.0 / getSampleRate()), text, maxLen);
}

void AudioEffect::float2string(float value, char* text, VstInt32 maxLen) { formatFloat(value, text, maxLen); }

void AudioEffect::int2string(VstInt32 value, char* text, VstInt32 maxLen) { formatInt(value, text, maxLen); }
