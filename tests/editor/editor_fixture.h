// An editor-edition equalizer with a recording host, its editor opened on the offscreen
// backend, an injected clock, and helpers that send mouse events to the frame.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "cframe.h"
#include "clock.h"
#include "equalizer_editor.h"
#include "equalizer_plugin.h"

using namespace gui;  // the editor's names, unqualified in the tests

namespace editor_test {

struct HostCall {
    VstInt32 opcode;
    VstInt32 index;
    float opt;
};

// The calls the plug-in made to its host that the editor is about.
std::vector<HostCall>& hostCalls();
VstIntPtr VSTCALLBACK recordingHost(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                    float opt);

// The injected millisecond clock.
void setFakeTime(std::uint32_t ms);

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void openEditor();
    EqualizerEditor& gui() { return *editor; }
    VSTGUI::CFrame& frame() { return *editor->getFrame(); }
    const EditorViews& views() { return editor->getViews(); }
    float parameter(int index) { return effect->getParameter(index); }

    void press(int x, int y, long buttons = VSTGUI::kLButton);
    void move(int x, int y, long buttons = VSTGUI::kLButton);
    void release(int x, int y, long buttons = 0);
    void click(int x, int y, long buttons = VSTGUI::kLButton);
    void typeText(const char* text);  // keys to the focus view, then Enter

    // Host calls with this opcode, in order.
    std::vector<HostCall> callsOf(VstInt32 opcode) const;

    vst::EqualizerPlugin* effect = nullptr;
    EqualizerEditor* editor = nullptr;
};

}  // namespace editor_test
