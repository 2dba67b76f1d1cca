#include "aeffguieditor.h"

#ifdef _WIN32
#include <ole2.h>
#endif

#include "audio_effect_x.h"
#include "cknob.h"
#include "clock.h"

AEffGUIEditor::AEffGUIEditor(AudioEffect* effect) : AEffEditor(effect), lLastTicks(qx71::nowMs()) {
    if (effect) effect->setEditor(this);
#ifdef _WIN32
    OleInitialize(nullptr);
#endif
}

AEffGUIEditor::~AEffGUIEditor() {
#ifdef _WIN32
    OleUninitialize();
#endif
}

bool AEffGUIEditor::getRect(ERect** ppRect) {
    *ppRect = &rect;
    return true;
}

bool AEffGUIEditor::open(void* ptr) {
    systemWindow = ptr;
    return true;
}

void AEffGUIEditor::close() { systemWindow = nullptr; }

void AEffGUIEditor::idle() {
    if (inIdleStuff) return;
    if (frame) frame->idle();
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode) { return frame && frame->onKeyDown(keyCode) == 1; }

bool AEffGUIEditor::onKeyUp(VstKeyCode& keyCode) { return frame && frame->onKeyUp(keyCode) == 1; }

bool AEffGUIEditor::onWheel(float distance) {
    if (!frame) return false;
    return frame->onWheel(frame->getMouseLocation(), distance, frame->getMouseButtons());
}

bool AEffGUIEditor::setKnobMode(VstInt32 mode) {
    VSTGUI::CKnob::setKnobMode(mode);
    return true;
}

void AEffGUIEditor::beginEdit(VstInt32 index) {
    if (auto* effectX = dynamic_cast<AudioEffectX*>(effect)) effectX->beginEdit(index);
}

void AEffGUIEditor::endEdit(VstInt32 index) {
    if (auto* effectX = dynamic_cast<AudioEffectX*>(effect)) effectX->endEdit(index);
}

void AEffGUIEditor::doIdleStuff() {
    std::uint32_t now = qx71::nowMs();
    if (now - lLastTicks < kIdleIntervalMs) return;
    lLastTicks = now;
    idle();
    inIdleStuff = true;
    if (effect) effect->masterIdle();
    inIdleStuff = false;
}
