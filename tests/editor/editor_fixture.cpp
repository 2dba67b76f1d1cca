#include "editor_fixture.h"

namespace editor_test {
namespace {

std::uint32_t currentTime = 1000;
std::uint32_t readFakeClock() { return currentTime; }

}  // namespace

std::vector<HostCall>& hostCalls() {
    static std::vector<HostCall> calls;
    return calls;
}

VstIntPtr VSTCALLBACK recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt) {
    if (opcode == audioMasterVersion) return 2400;
    hostCalls().push_back({opcode, index, opt});
    return 0;
}

void setFakeTime(std::uint32_t ms) { currentTime = ms; }

void EditorTest::SetUp() {
    hostCalls().clear();
    setFakeTime(1000);
    qx71::setClock(readFakeClock);
    effect = new vst::EqualizerPlugin(recordingHost);
    editor = static_cast<EqualizerEditor*>(effect->getEditor());
}

void EditorTest::TearDown() {
    delete effect;
    qx71::setClock(nullptr);
}

void EditorTest::openEditor() {
    ASSERT_TRUE(editor->open(nullptr));
    editor->idle();
    hostCalls().clear();
}

void EditorTest::press(int x, int y, long buttons) {
    VSTGUI::CPoint where(x, y);
    frame().onMouseDown(where, buttons);
}

void EditorTest::move(int x, int y, long buttons) {
    VSTGUI::CPoint where(x, y);
    frame().onMouseMoved(where, buttons);
}

void EditorTest::release(int x, int y, long buttons) {
    VSTGUI::CPoint where(x, y);
    frame().onMouseUp(where, buttons);
}

void EditorTest::click(int x, int y, long buttons) {
    press(x, y, buttons);
    release(x, y, 0);
}

void EditorTest::typeText(const char* text) {
    for (const char* c = text; *c; ++c) {
        VstKeyCode key{*c, 0, 0};
        editor->onKeyDown(key);
    }
    VstKeyCode enter{0, 4, 0};  // VKEY_RETURN
    editor->onKeyDown(enter);
}

std::vector<HostCall> EditorTest::callsOf(VstInt32 opcode) const {
    std::vector<HostCall> matching;
    for (const HostCall& call : hostCalls()) {
        if (call.opcode == opcode) matching.push_back(call);
    }
    return matching;
}

}  // namespace editor_test
