// What the user does in the editor, on its way from the interface thread to the thread that
// applies parameter changes and tells the host (process, or flush): gesture begin, value,
// gesture end, in order. A fixed ring of one producer and one consumer, without locks.
#pragma once

#include <atomic>
#include <cstdint>

namespace clap_edition {

struct EditorEdit {
    enum Kind : uint8_t { begin, value, end };
    Kind kind;
    int index;
    float normalized;  // for values
};

class EditorEdits {
public:
    static constexpr uint32_t kCapacity = 512;

    // Interface thread. False when the ring is full (the host has not taken edits for a while).
    bool push(const EditorEdit& edit) {
        const uint32_t tail = tail_.load(std::memory_order_relaxed);
        if (tail - head_.load(std::memory_order_acquire) == kCapacity) return false;
        slots_[tail % kCapacity] = edit;
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }
    // The applying thread.
    bool pop(EditorEdit& edit) {
        const uint32_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire)) return false;
        edit = slots_[head % kCapacity];
        head_.store(head + 1, std::memory_order_release);
        return true;
    }

private:
    EditorEdit slots_[kCapacity];
    std::atomic<uint32_t> head_{0};
    std::atomic<uint32_t> tail_{0};
};

}  // namespace clap_edition
