// Opening the editor when any one allocation fails: open answers false and leaves nothing
// behind, or, when only pixel memory failed, opens without that artwork. Global operator new is
// replaced in this test program to fail the allocation with a chosen number.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "varnok_equalizer.h"
#include "varnok_equalizer_gui.h"

namespace {

std::atomic<long> allocationsBeforeFailure{-1};  // -1: none fails
std::atomic<bool> allocationFailed{false};
std::atomic<long> liveAllocations{0};

void* allocate(std::size_t size) {
    long before = allocationsBeforeFailure.load();
    if (before >= 0)
        allocationsBeforeFailure.store(before - 1);
    if (before == 0) {
        allocationFailed.store(true);
        throw std::bad_alloc();
    }
    void* block = std::malloc(size != 0 ? size : 1);
    if (block == nullptr)
        throw std::bad_alloc();
    ++liveAllocations;
    return block;
}

void release(void* block) noexcept {
    if (block == nullptr)
        return;
    --liveAllocations;
    std::free(block);
}

VstIntPtr VSTCALLBACK host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }

TEST(EditorOutOfMemory, EveryFailedAllocationInOpenIsSurvivedWithoutLeak) {
    VarnokEqualizer effect(host);
    auto* editor = static_cast<VarnokEqualizerGUI*>(effect.getEditor());
    ASSERT_TRUE(editor->open(nullptr));  // first use of lazily made tables
    editor->idle();
    editor->close();

    int refused = 0, openedWithFailures = 0;
    bool clean = false;
    for (long failing = 0; failing < 100000 && !clean; ++failing) {
        const long liveBefore = liveAllocations.load();
        allocationFailed.store(false);
        allocationsBeforeFailure.store(failing);
        bool opened = editor->open(nullptr);
        allocationsBeforeFailure.store(-1);
        clean = !allocationFailed.load();
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
        EXPECT_EQ(liveAllocations.load(), liveBefore) << "leak after failing allocation " << failing;
    }
    EXPECT_TRUE(clean);
    EXPECT_GT(refused, 40);  // at least one per view
    EXPECT_GT(openedWithFailures, 0);  // pixel memory that failed: opened without that artwork
}
