// The hand-over between threads: parameter changes from another thread reach the controls at
// the next idle without touching a view, and the window may open and close while the audio and
// automation threads keep notifying the lamps and feeding the peak (run under ThreadSanitizer).
#include "editor_fixture.h"

#include <atomic>
#include <thread>

#include "parameter_table.h"

namespace editor_test {
namespace {

TEST_F(EditorTest, ChangesFromAnotherThreadReachTheControlsAtTheNextIdle) {
    openEditor();
    std::thread automation([this] { effect->setParameter(param::lfBandwidth, 0.75f); });
    automation.join();
    EXPECT_FLOAT_EQ(parameter(param::lfBandwidth), 0.75f);
    EXPECT_FLOAT_EQ(views().control<FineKnob>(param::lfBandwidth)->getValue(),
                    0.5f);  // no view is touched off the interface thread
    gui().idle();
    EXPECT_FLOAT_EQ(views().control<FineKnob>(param::lfBandwidth)->getValue(), 0.75f);
    EXPECT_FLOAT_EQ(views().readout(param::lfBandwidth)->getValue(), 0.75f);
}

TEST(EditorThreads, CloseWhileOtherThreadsNotifyAndFeed) {
    auto* effect = new vst::EqualizerPlugin(recordingHost);
    auto* editor = static_cast<EqualizerEditor*>(effect->getEditor());
    AEffect* record = effect->getAeffect();
    std::atomic<bool> stop{false};
    std::thread audio([&] {
        float in[32] = {}, out0[32], out1[32];
        for (float& s : in) s = 1.5f;
        float* inputs[] = {in, in};
        float* outputs[] = {out0, out1};
        while (!stop.load()) record->processReplacing(record, inputs, outputs, 32);
    });
    std::thread automation([&] {
        for (int i = 0; !stop.load(); ++i) effect->setParameter(param::muteHf + i % 5, static_cast<float>(i % 2));
    });
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(editor->open(nullptr));
        editor->idle();
        editor->close();
    }
    stop.store(true);
    audio.join();
    automation.join();
    hostCalls().clear();
    delete effect;
}

}  // namespace
}  // namespace editor_test
