// Hand-over of designed records from the designing threads to the audio thread.
#pragma once

#include <atomic>
#include <cstdint>

#include <emmintrin.h>

namespace dsp {

// A lock that is only ever tried by the audio thread and spun on by other threads, whose
// critical sections are a few microseconds of design work.
class DesignerLock {
public:
    bool tryLock() { return !held_.exchange(true, std::memory_order_acquire); }
    void lock() {
        while (!tryLock()) {
            while (held_.load(std::memory_order_relaxed)) _mm_pause();
        }
    }
    void unlock() { held_.store(false, std::memory_order_release); }

private:
    std::atomic<bool> held_{false};
};

// Triple buffer for one writer at a time and one reader: the writer fills back() and
// publishes it, the reader takes the newest published record. Neither side ever waits and
// neither touches a slot that the other is using.
template <class Record>
class TripleBuffer {
public:
    // Writer side (callers serialise writers among themselves).
    Record& back() { return slots_[back_]; }
    void publish() { back_ = middle_.exchange(back_ | kFresh, std::memory_order_acq_rel) & kIndexMask; }

    // Reader side: true when a newer record than the current front() was taken.
    bool takeNewest() {
        if ((middle_.load(std::memory_order_relaxed) & kFresh) == 0) return false;
        front_ = middle_.exchange(front_, std::memory_order_acq_rel) & kIndexMask;
        return true;
    }
    const Record& front() const { return slots_[front_]; }

private:
    static constexpr uint8_t kFresh = 4;
    static constexpr uint8_t kIndexMask = 3;

    Record slots_[3]{};
    std::atomic<uint8_t> middle_{1};
    uint8_t back_ = 0;   // writer's slot
    uint8_t front_ = 2;  // reader's slot
};

}  // namespace dsp
