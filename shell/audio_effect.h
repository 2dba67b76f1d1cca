// The first plug-in base layer: owns the AEffect record handed to the host, routes the
// record's static callbacks to virtual operations, answers dispatcher opcodes 0 to 24 and
// provides the text helpers.
#pragma once

#include <atomic>

#include "aeff_editor.h"
#include "vst_abi.h"

class AudioEffect {
public:
    AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
    virtual ~AudioEffect();
    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;

    AEffect* getAeffect() { return &cEffect; }
    // Attaches the editor (owned from now on) and announces it through effFlagsHasEditor.
    void setEditor(AEffEditor* newEditor);
    AEffEditor* getEditor() const { return editor; }

    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

    virtual void open() {}
    virtual void close() {}
    virtual void suspend() {}
    virtual void resume() {}

    virtual void setProgram(VstInt32 program) { curProgram = program; }
    virtual VstInt32 getProgram() { return curProgram; }
    virtual void setProgramName(char* name) { (void)name; }
    virtual void getProgramName(char* name) { copyText(name, "", kVstMaxProgNameLen); }

    virtual void setParameter(VstInt32 index, float value) {
        (void)index;
        (void)value;
    }
    virtual float getParameter(VstInt32 index) {
        (void)index;
        return 0.0f;
    }
    // The full setParameter, then the host is told index and value.
    virtual void setParameterAutomated(VstInt32 index, float value);
    virtual void getParameterLabel(VstInt32 index, char* label) { (void)index, (void)label; }
    virtual void getParameterDisplay(VstInt32 index, char* text) { (void)index, (void)text; }
    virtual void getParameterName(VstInt32 index, char* text) { (void)index, (void)text; }

    virtual VstInt32 getChunk(void** data, bool isPreset = false) {
        (void)data, (void)isPreset;
        return 0;
    }
    virtual VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset = false) {
        (void)data, (void)byteSize, (void)isPreset;
        return 0;
    }

    virtual void setSampleRate(float newRate) { sampleRate.store(newRate, std::memory_order_relaxed); }
    virtual void setBlockSize(VstInt32 newSize) { blockSize = newSize; }
    float getSampleRate() const { return sampleRate.load(std::memory_order_relaxed); }
    VstInt32 getBlockSize() const { return blockSize; }

    // Audio callbacks; the deprecated accumulating process does nothing.
    virtual void process(float** inputs, float** outputs, VstInt32 sampleFrames) {
        (void)inputs, (void)outputs, (void)sampleFrames;
    }
    virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
    virtual void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) {
        (void)inputs, (void)outputs, (void)sampleFrames;
    }

    // Host callbacks.
    virtual VstInt32 getMasterVersion();
    virtual VstInt32 getCurrentUniqueId();
    virtual void masterIdle();
    virtual bool isInputConnected(VstInt32 input);
    virtual bool isOutputConnected(VstInt32 output);

    // Record settings.
    virtual void setUniqueID(VstInt32 id) { cEffect.uniqueID = id; }
    virtual void setNumInputs(VstInt32 inputs) { cEffect.numInputs = inputs; }
    virtual void setNumOutputs(VstInt32 outputs) { cEffect.numOutputs = outputs; }
    virtual void setInitialDelay(VstInt32 delay) { cEffect.initialDelay = delay; }
    virtual void hasVu(bool state = true) { setFlag(effFlagsHasVu, state); }
    virtual void hasClip(bool state = true) { setFlag(effFlagsHasClip, state); }
    virtual void canMono(bool state = true) { setFlag(effFlagsCanMono, state); }
    virtual void canProcessReplacing(bool state = true) { setFlag(effFlagsCanReplacing, state); }
    virtual void canDoubleReplacing(bool state = true) { setFlag(effFlagsCanDoubleReplacing, state); }
    virtual void programsAreChunks(bool state = true) { setFlag(effFlagsProgramChunks, state); }

    // Text helpers: at most maxLen characters, zero-filled, terminator at maxLen.
    virtual void dB2string(float value, char* text, VstInt32 maxLen);
    virtual void Hz2string(float samples, char* text, VstInt32 maxLen);
    virtual void ms2string(float samples, char* text, VstInt32 maxLen);
    virtual void float2string(float value, char* text, VstInt32 maxLen);
    virtual void int2string(VstInt32 value, char* text, VstInt32 maxLen);

protected:
    static void copyText(char* text, const char* source, VstInt32 maxLen);
    void setFlag(VstInt32 bit, bool state);
    VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);

    audioMasterCallback audioMaster;
    AEffEditor* editor = nullptr;
    std::atomic<float> sampleRate{44100.0f};
    VstInt32 blockSize = 1024;
    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 curProgram = 0;
    AEffect cEffect;
};
