#include "lv2_editor_ui.h"

#include <cmath>

#include "lv2_ports.h"
#include "real_values.h"

Lv2EditorUi::Lv2EditorUi(const Lv2UiHost& host) : host_(host), editor_(*this) {}

bool Lv2EditorUi::open(void* parentWindow) {
    if (!editor_.open(parentWindow)) return false;
    sizeRequested(editor_.width(), editor_.height());
    return true;
}

void Lv2EditorUi::portEvent(uint32_t port, uint32_t format, const void* buffer) {
    if (format != 0 || buffer == nullptr) return;
    const float value = *static_cast<const float*>(buffer);
    if (port == lv2port::kOutputLevel) {
        editor_.feedOutputLevel(value);
    } else if (port < static_cast<uint32_t>(param::count)) {
        const float normalized = param::normalizedOfReal(param::kTable[port], value);
        if (!std::isnan(normalized)) editor_.setParameter(static_cast<int>(port), normalized);
    }
}

int Lv2EditorUi::idle() {
    editor_.idle();
    return editor_.isOpen() ? 0 : 1;
}

void Lv2EditorUi::parameterEdited(int index, float normalized) {
    const float real = param::realOfNormalized(param::kTable[index], normalized);
    host_.write(host_.controller, static_cast<uint32_t>(index), sizeof real, 0, &real);
}

void Lv2EditorUi::gestureBegan(int index) {
    if (host_.touch) host_.touch->touch(host_.touch->handle, static_cast<uint32_t>(index), true);
}

void Lv2EditorUi::gestureEnded(int index) {
    if (host_.touch) host_.touch->touch(host_.touch->handle, static_cast<uint32_t>(index), false);
}

bool Lv2EditorUi::sizeRequested(int width, int height) {
    return host_.resize != nullptr && host_.resize->ui_resize(host_.resize->handle, width, height) == 0;
}
