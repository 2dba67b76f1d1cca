// Base of a plug-in editor as the VST 2.4 plug-in base classes define it. The effect owns
// its editor and deletes it through the virtual destructor.
#pragma once

#include "vst_abi.h"

class AudioEffect;

class AEffEditor {
public:
    explicit AEffEditor(AudioEffect* effect) : effect(effect) {}
    virtual ~AEffEditor() = default;
    AEffEditor(const AEffEditor&) = delete;
    AEffEditor& operator=(const AEffEditor&) = delete;

    virtual AudioEffect* getEffect() { return effect; }
    virtual bool getRect(ERect** rect) {
        (void)rect;
        return false;
    }
    virtual bool open(void* ptr) {
        systemWindow = ptr;
        return false;
    }
    virtual void close() { systemWindow = nullptr; }
    virtual bool isOpen() { return systemWindow != nullptr; }
    virtual void idle() {}
    virtual bool onKeyDown(VstKeyCode& keyCode) {
        (void)keyCode;
        return false;
    }
    virtual bool onKeyUp(VstKeyCode& keyCode) {
        (void)keyCode;
        return false;
    }
    virtual bool onWheel(float distance) {
        (void)distance;
        return false;
    }
    virtual bool setKnobMode(VstInt32 mode) {
        (void)mode;
        return false;
    }
    // A display scale the host passes (1 to 3); false when the editor does not take it.
    virtual bool setHostScale(double scale) {
        (void)scale;
        return false;
    }
    // Called by the effect after it stored a parameter value, so controls can follow it.
    virtual void setParameter(VstInt32 index, float value) {
        (void)index;
        (void)value;
    }

protected:
    AudioEffect* effect = nullptr;
    void* systemWindow = nullptr;
};
