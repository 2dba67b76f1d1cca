// The LV2 UI entry: the X11 UI's descriptor. instantiate reads the host's features, refuses a host
// without a parent window or idle interface (and a display, which the editor opens itself) with
// a null instance and a log line, and opens the editor in the parent window at once.
#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "lv2_editor_ui.h"

namespace {

void logProblem(const char* what) { std::fprintf(stderr, "QX71 LV2 UI: %s\n", what); }

struct Features {
    void* parent = nullptr;
    bool idleInterface = false;
    const LV2_URID_Map* map = nullptr;
    const LV2_Options_Option* options = nullptr;
    const LV2UI_Touch* touch = nullptr;
    const LV2UI_Resize* resize = nullptr;
};

Features readFeatures(const LV2_Feature* const* features) {
    Features found;
    for (; features != nullptr && *features != nullptr; ++features) {
        const char* uri = (*features)->URI;
        void* data = (*features)->data;
        if (std::strcmp(uri, LV2_UI__parent) == 0) found.parent = data;
        if (std::strcmp(uri, LV2_UI__idleInterface) == 0) found.idleInterface = true;
        if (std::strcmp(uri, LV2_URID__map) == 0) found.map = static_cast<const LV2_URID_Map*>(data);
        if (std::strcmp(uri, LV2_OPTIONS__options) == 0) found.options = static_cast<const LV2_Options_Option*>(data);
        if (std::strcmp(uri, LV2_UI__touch) == 0) found.touch = static_cast<const LV2UI_Touch*>(data);
        if (std::strcmp(uri, LV2_UI__resize) == 0) found.resize = static_cast<const LV2UI_Resize*>(data);
    }
    return found;
}

// The host's ui:scaleFactor option, or nothing without one (or without urid:map to look it up),
// so that the editor finds the display's scale itself.
std::optional<double> scaleFactor(const Features& features) {
    if (features.map == nullptr || features.options == nullptr) return std::nullopt;
    const LV2_URID key = features.map->map(features.map->handle, LV2_UI__scaleFactor);
    const LV2_URID floatType = features.map->map(features.map->handle, LV2_ATOM__Float);
    for (const LV2_Options_Option* option = features.options; option->key != 0; ++option) {
        if (option->key == key && option->type == floatType && option->size == sizeof(float) && option->value) {
            return *static_cast<const float*>(option->value);
        }
    }
    return std::nullopt;
}

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*, LV2UI_Write_Function write,
                         LV2UI_Controller controller, LV2UI_Widget* widget, const LV2_Feature* const* features) {
    if (pluginUri == nullptr || std::strcmp(pluginUri, QX71_LV2_URI) != 0) {
        logProblem("the UI belongs to " QX71_LV2_URI " only");
        return nullptr;
    }
    const Features found = readFeatures(features);
    if (found.parent == nullptr || !found.idleInterface || write == nullptr || widget == nullptr) {
        logProblem("the host offers no parent window (ui:parent), no idle calls (ui:idleInterface) or no port writes");
        return nullptr;
    }
    try {
        auto ui = std::make_unique<Lv2EditorUi>(Lv2UiHost{write, controller, found.touch, found.resize});
        if (const std::optional<double> scale = scaleFactor(found)) {
            if (!ui->setScale(*scale)) logProblem("ui:scaleFactor outside 1 to 3 ignored");
        }
        if (!ui->open(found.parent)) {
            logProblem("the editor cannot open in the host's window (is there an X display?)");
            return nullptr;
        }
        *widget = ui->widget();
        return ui.release();
    } catch (...) {
        logProblem("the editor cannot be made (out of memory)");
        return nullptr;
    }
}

void cleanup(LV2UI_Handle ui) { delete static_cast<Lv2EditorUi*>(ui); }

void portEvent(LV2UI_Handle ui, uint32_t port, uint32_t, uint32_t format, const void* buffer) {
    static_cast<Lv2EditorUi*>(ui)->portEvent(port, format, buffer);
}

int idle(LV2UI_Handle ui) { return static_cast<Lv2EditorUi*>(ui)->idle(); }

const LV2UI_Idle_Interface kIdleInterface = {idle};

const void* extensionData(const char* uri) {
    return uri != nullptr && std::strcmp(uri, LV2_UI__idleInterface) == 0 ? &kIdleInterface : nullptr;
}

const LV2UI_Descriptor kDescriptor = {QX71_LV2_UI_URI, instantiate, cleanup, portEvent, extensionData};

}  // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}
