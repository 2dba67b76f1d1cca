#include "aeffguieditor.h"

#ifdef _WIN32
#include <ole2.h>
#endif

#include <cmath>

#include "audio_effect_x.h"
#include "cknob.h"
#include "clock.h"
#include "editor_scale.h"

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

namespace {

VstInt16 scaled(VstInt16 logical, double scale) { return static_cast<VstInt16>(std::floor(logical * scale + 0.5)); }

}  // namespace

double AEffGUIEditor::getScale() const {
    if (frame) return scale;
    return VSTGUI::chooseEditorScale(hostScale, [this] {
        if (!closedSystemScale) closedSystemScale = VSTGUI::systemEditorScale(nullptr);
        return *closedSystemScale;
    });
}

bool AEffGUIEditor::getRect(ERect** ppRect) {
    if (!frame) scale = getScale();
    deviceRect =
        ERect{scaled(rect.top, scale), scaled(rect.left, scale), scaled(rect.bottom, scale), scaled(rect.right, scale)};
    *ppRect = &deviceRect;
    return true;
}

bool AEffGUIEditor::open(void* ptr) {
    systemWindow = ptr;
    closedSystemScale.reset();
    // An offscreen frame does not ask the system.
    scale = VSTGUI::chooseEditorScale(hostScale,
                                      [ptr] { return ptr ? VSTGUI::systemEditorScale(ptr) : std::optional<double>(); });
    return true;
}

bool AEffGUIEditor::setHostScale(double newScale) {
    std::optional<double> step = VSTGUI::editorScaleStep(newScale);
    if (!step) return false;
    hostScale = step;
    if (!frame) return true;
    void* parent = systemWindow;
    double wanted = VSTGUI::chooseEditorScale(hostScale, [parent] { return VSTGUI::systemEditorScale(parent); });
    if (wanted == scale) return true;
    auto* effectX = dynamic_cast<AudioEffectX*>(effect);
    if (effectX &&
        effectX->sizeWindow(scaled(rect.right - rect.left, wanted), scaled(rect.bottom - rect.top, wanted))) {
        close();
        open(parent);
    }
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
