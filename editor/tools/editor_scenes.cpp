#include "editor_scenes.h"

#include <cstdint>
#include <cstdio>
#include <memory>

#include "clock.h"
#include "coffscreencontext.h"
#include "equalizer_editor.h"
#include "equalizer_plugin.h"
#include "parameter_table.h"

using namespace gui;  // the editor's names

namespace scenes {
namespace {

std::uint32_t sceneTime = 1000;
std::uint32_t sceneClock() { return sceneTime; }

VstIntPtr VSTCALLBACK quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

void setCharacteristicParameters(AudioEffect& effect) {
    const struct {
        int index;
        float value;
    } settings[] = {
        {param::hfFreq, 5.0f / 7.0f},    {param::hfGain, 0.72f},     {param::hfBandwidth, 0.35f},
        {param::hfType, 1.0f},           {param::hfMode, 1.0f},      {param::mfFreq, 3.0f / 7.0f},
        {param::mfGain, 0.3f},           {param::mfBandwidth, 0.6f}, {param::lfFreq, 2.0f / 7.0f},
        {param::lfGain, 0.64f},          {param::lfBandwidth, 0.5f}, {param::lfMode, 1.0f},
        {param::highPass, 0.4f},         {param::lowPass, 0.4f},     {param::lowSlope, 1.0f / 3.0f},
        {param::highSlope, 2.0f / 3.0f}, {param::output, 0.56f},     {param::analog, 1.0f},
        {param::muteMf, 1.0f},
    };
    for (const auto& setting : settings) effect.setParameter(setting.index, setting.value);
}

// One block well above full scale through the audio callback, as a clipping mix would send.
void playLoudBlock(vst::EqualizerPlugin& effect) {
    constexpr int kFrames = 256;
    float left[kFrames], right[kFrames], outLeft[kFrames], outRight[kFrames];
    for (int i = 0; i < kFrames; ++i) left[i] = right[i] = (i % 2 ? 2.0f : -2.0f);
    float* inputs[] = {left, right};
    float* outputs[] = {outLeft, outRight};
    effect.processReplacing(inputs, outputs, kFrames);
}

}  // namespace

std::string fileName(Scene scene, double scale) {
    std::string name = scene == kDefault ? "editor-default" : "editor-characteristic";
    if (scale != 1.0) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "@%gx", scale);
        name += suffix;
    }
    return name + ".png";
}

bool render(Scene scene, const std::string& path, double scale) {
    sceneTime = 1000;
    qx71::setClock(sceneClock);
    auto effect = std::make_unique<vst::EqualizerPlugin>(quietHost);
    auto* editor = static_cast<EqualizerEditor*>(effect->getEditor());
    if (scene == kCharacteristic) setCharacteristicParameters(*effect);
    bool written = false;
    if (editor->setHostScale(scale) && editor->open(nullptr)) {
        editor->idle();
        if (scene == kCharacteristic) {
            sceneTime += EqualizerEditor::kBlinkIntervalMs;  // the muted lamp's lit half
            editor->idle();
            playLoudBlock(*effect);
            sceneTime += 20;
            editor->idle();
        }
        auto* surface = static_cast<VSTGUI::COffscreenContext*>(editor->getFrame()->getBackBuffer());
        written = surface && surface->writePng(path);
        editor->close();
    }
    effect.reset();
    qx71::setClock(nullptr);
    return written;
}

}  // namespace scenes
