// Opening the editor when any one allocation fails: open answers false and leaves nothing
// behind, or, when only pixel memory failed, opens without that artwork. Global operator new is
// replaced in this test program to fail the allocation with a chosen number.
#include <gtest/gtest.h>

#include "equalizer_editor.h"
#include "equalizer_plugin.h"
#include "failing_allocator.h"

using namespace gui;  // the editor's names, unqualified in the tests

TEST(EditorOutOfMemory, EveryFailedAllocationInOpenIsSurvivedWithoutLeak) {
    vst::EqualizerPlugin effect(failing_allocator::versionOnlyHost);
    auto* editor = static_cast<EqualizerEditor*>(effect.getEditor());
    ASSERT_TRUE(editor->open(nullptr));  // first use of lazily made tables
    editor->idle();
    editor->close();

    int refused = 0, openedWithFailures = 0;
    bool clean = false;
    for (long failing = 0; failing < 100000 && !clean; ++failing) {
        const long liveBefore = failing_allocator::liveBlocks();
        failing_allocator::failAfter(failing);
        bool opened = editor->open(nullptr);
        clean = !failing_allocator::failed();
        failing_allocator::failAfter(-1);
        if (opened) {
            EXPECT_TRUE(editor->isGuiOpen());
            openedWithFailures += !clean;
            editor->idle();  // draws what exists
            editor->close();
        } else {
            ++refused;
            EXPECT_FALSE(editor->isGuiOpen());
            EXPECT_EQ(editor->getFrame(), nullptr);
        }
        EXPECT_EQ(failing_allocator::liveBlocks(), liveBefore) << "leak after failing allocation " << failing;
    }
    EXPECT_TRUE(clean);
    EXPECT_GT(refused, 40);            // at least one per view
    EXPECT_GT(openedWithFailures, 0);  // pixel memory that failed: opened without that artwork
}
