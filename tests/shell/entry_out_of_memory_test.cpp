// Building an instance when memory runs out at any allocation: the entry answers null, frees
// what it made and lets no exception reach the host.
#include <gtest/gtest.h>

#include "failing_allocator.h"
#include "vst_abi.h"

extern "C" AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster);

TEST(EntryOutOfMemory, EveryFailedAllocationGivesNullAndLeaksNothing) {
    int failures = 0;
    bool built = false;
    for (long budget = 0; budget < 64 && !built; ++budget) {
        const long liveBefore = failing_allocator::liveBlocks();
        failing_allocator::failAfter(budget);
        AEffect* effect = VSTPluginMain(failing_allocator::versionOnlyHost);
        failing_allocator::failAfter(-1);
        if (effect == nullptr) {
            ++failures;
            EXPECT_EQ(failing_allocator::liveBlocks(), liveBefore) << "leak after failing at allocation " << budget;
            continue;
        }
        built = true;
        EXPECT_EQ(effect->magic, kEffectMagic);
        EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
        EXPECT_EQ(failing_allocator::liveBlocks(), liveBefore) << "effClose did not free the instance";
    }
    EXPECT_TRUE(built) << "the instance never got built";
    EXPECT_GE(failures, 1) << "no allocation failure was exercised";
}
