#include "hosted_editor.h"

#include <cmath>

#include "equalizer_editor.h"
#include "equalizer_plugin.h"
#include "parameter_table.h"
#include "platform/platform_frame.h"

namespace gui {

namespace {

bool isParameter(VstInt32 index) { return index >= 0 && index < param::count; }

VSTGUI::PlatformFrame* platformFrameOf(EqualizerEditor& editor) {
    VSTGUI::CFrame* frame = editor.getFrame();
    return frame != nullptr ? frame->getPlatformFrame() : nullptr;
}

}  // namespace

// The VST 2.4 edition's plug-in with this object as its host. Every stored change passes
// parameterChanged: those the front-end's host made are not reported back to it.
class HostedEditor::Plugin : public vst::EqualizerPlugin {
public:
    explicit Plugin(HostedEditorListener& listener) : EqualizerPlugin(&hostCallback), listener_(listener) {
        getAeffect()->user = this;  // from here on the callback reaches this object
    }

    EqualizerEditor& editor() { return *static_cast<EqualizerEditor*>(getEditor()); }

    void setFromHost(VstInt32 index, float normalized) {
        fromHost_ = true;
        setParameter(index, normalized);
        fromHost_ = false;
    }

protected:
    // The engine is left alone: nothing is processed here.
    void parameterChanged(VstInt32 index, float value) override {
        (void)value;  // the stored, clamped value is the one reported
        if (!fromHost_) listener_.parameterEdited(index, getParameter(index));
    }

private:
    static VstIntPtr VSTCALLBACK hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                              void* ptr, float opt) {
        (void)ptr, (void)opt;
        if (opcode == audioMasterVersion) return 2400;
        auto* plugin = effect != nullptr ? static_cast<Plugin*>(effect->user) : nullptr;
        return plugin != nullptr ? plugin->hostCall(opcode, index, value) : 0;
    }

    VstIntPtr hostCall(VstInt32 opcode, VstInt32 index, VstIntPtr value) {
        switch (opcode) {
            // The value itself arrived through parameterChanged, which also sees typed values.
            case audioMasterAutomate: return 1;
            // The readouts begin and end their typing under their own tags, which name no parameter.
            case audioMasterBeginEdit:
                if (!isParameter(index)) return 0;
                listener_.gestureBegan(index);
                return 1;
            case audioMasterEndEdit:
                if (!isParameter(index)) return 0;
                listener_.gestureEnded(index);
                return 1;
            case audioMasterSizeWindow: return listener_.sizeRequested(index, static_cast<int>(value)) ? 1 : 0;
            default: return 0;
        }
    }

    HostedEditorListener& listener_;
    bool fromHost_ = false;
};

HostedEditor::HostedEditor(HostedEditorListener& listener) : plugin_(std::make_unique<Plugin>(listener)) {}

HostedEditor::~HostedEditor() { close(); }

bool HostedEditor::open(void* parentWindow) { return plugin_->editor().open(parentWindow); }

void HostedEditor::idle() { plugin_->editor().idle(); }

void HostedEditor::close() { plugin_->editor().close(); }

bool HostedEditor::isOpen() const { return plugin_->editor().isGuiOpen(); }

void* HostedEditor::window() const {
    VSTGUI::PlatformFrame* platform = platformFrameOf(plugin_->editor());
    return platform != nullptr ? platform->nativeWindow() : nullptr;
}

int HostedEditor::eventDescriptor() const {
    VSTGUI::PlatformFrame* platform = platformFrameOf(plugin_->editor());
    return platform != nullptr ? platform->eventDescriptor() : -1;
}

int HostedEditor::width() const {
    ERect* rect = nullptr;
    return plugin_->editor().getRect(&rect) && rect ? rect->right - rect->left : 0;
}

int HostedEditor::height() const {
    ERect* rect = nullptr;
    return plugin_->editor().getRect(&rect) && rect ? rect->bottom - rect->top : 0;
}

void HostedEditor::setParameter(int index, float normalized) {
    if (isParameter(index)) plugin_->setFromHost(index, normalized);
}

float HostedEditor::parameter(int index) const { return plugin_->getParameter(index); }

void HostedEditor::feedOutputLevel(double level) {
    std::atomic<double>* peak = plugin_->editor().peakFeed();
    if (peak == nullptr || std::isnan(level)) return;
    // Raised, never lowered: the lamp takes the level at its next draw.
    double current = peak->load();
    while (level > current && !peak->compare_exchange_weak(current, level)) {
    }
}

bool HostedEditor::setScale(double scale) { return plugin_->editor().setHostScale(scale); }

double HostedEditor::scale() const { return plugin_->editor().getScale(); }

}  // namespace gui
