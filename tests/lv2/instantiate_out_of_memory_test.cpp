// Instantiating the LV2 edition when memory runs out at any allocation: instantiate answers null,
// frees what it made and lets no exception reach the host.
#include <gtest/gtest.h>
#include <lv2/core/lv2.h>

#include "failing_allocator.h"

extern "C" const LV2_Descriptor* lv2_descriptor(uint32_t index);

TEST(Lv2InstantiateOutOfMemory, EveryFailedAllocationGivesNullAndLeaksNothing) {
    const LV2_Descriptor* descriptor = lv2_descriptor(0);
    ASSERT_NE(descriptor, nullptr);
    const LV2_Feature* const noFeatures[] = {nullptr};
    int failures = 0;
    bool built = false;
    for (long budget = 0; budget < 64 && !built; ++budget) {
        const long liveBefore = failing_allocator::liveBlocks();
        failing_allocator::failAfter(budget);
        LV2_Handle instance = descriptor->instantiate(descriptor, 48000.0, "", noFeatures);
        failing_allocator::failAfter(-1);
        if (instance == nullptr) {
            ++failures;
            EXPECT_EQ(failing_allocator::liveBlocks(), liveBefore) << "leak after failing at allocation " << budget;
            continue;
        }
        built = true;
        descriptor->cleanup(instance);
        EXPECT_EQ(failing_allocator::liveBlocks(), liveBefore) << "cleanup did not free the instance";
    }
    EXPECT_TRUE(built) << "the instance never got built";
    EXPECT_GE(failures, 1) << "no allocation failure was exercised";
}
