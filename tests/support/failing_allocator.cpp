#include "failing_allocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> allocationsBeforeFailure{-1};
std::atomic<bool> failureInjected{false};
std::atomic<long> live{0};

void* allocate(std::size_t size) {
    const long before = allocationsBeforeFailure.load();
    if (before >= 0) allocationsBeforeFailure.store(before - 1);
    if (before == 0) {
        failureInjected.store(true);
        throw std::bad_alloc();
    }
    void* block = std::malloc(size != 0 ? size : 1);
    if (block == nullptr) throw std::bad_alloc();
    ++live;
    return block;
}

void release(void* block) noexcept {
    if (block == nullptr) return;
    --live;
    std::free(block);
}

}  // namespace

namespace failing_allocator {

void failAfter(long allocations) {
    failureInjected.store(false);
    allocationsBeforeFailure.store(allocations);
}

bool failed() { return failureInjected.load(); }

long liveBlocks() { return live.load(); }

VstIntPtr VSTCALLBACK versionOnlyHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? kVstVersion : 0;
}

}  // namespace failing_allocator

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }
