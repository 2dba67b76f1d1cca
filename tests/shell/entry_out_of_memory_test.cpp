// Building an instance when memory runs out at any allocation: the entry answers null, frees
// what it made and lets no exception reach the host. Global operator new is replaced in this
// test program to fail after a chosen number of allocations.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "vst_abi.h"

extern "C" AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster);

namespace {

std::atomic<long> allocationsAllowed{-1};  // -1: unlimited
std::atomic<long> liveAllocations{0};

void* allocate(std::size_t size) {
    long allowed = allocationsAllowed.load();
    if (allowed == 0) throw std::bad_alloc();
    if (allowed > 0) allocationsAllowed.store(allowed - 1);
    void* block = std::malloc(size != 0 ? size : 1);
    if (block == nullptr) throw std::bad_alloc();
    ++liveAllocations;
    return block;
}

void release(void* block) noexcept {
    if (block == nullptr) return;
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

TEST(EntryOutOfMemory, EveryFailedAllocationGivesNullAndLeaksNothing) {
    int failures = 0;
    bool built = false;
    for (long budget = 0; budget < 64 && !built; ++budget) {
        const long liveBefore = liveAllocations.load();
        allocationsAllowed.store(budget);
        AEffect* effect = VSTPluginMain(host);
        allocationsAllowed.store(-1);
        if (effect == nullptr) {
            ++failures;
            EXPECT_EQ(liveAllocations.load(), liveBefore) << "leak after failing at allocation " << budget;
            continue;
        }
        built = true;
        EXPECT_EQ(effect->magic, kEffectMagic);
        EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
        EXPECT_EQ(liveAllocations.load(), liveBefore) << "effClose did not free the instance";
    }
    EXPECT_TRUE(built) << "the instance never got built";
    EXPECT_GE(failures, 1) << "no allocation failure was exercised";
}
