// The plug-in's parameters: fixed names and labels, and one normalized value per parameter.
// Values are atomics so the audio thread, the host's automation and the editor can read and
// write them without a data race; each store is clamped to [0, 1].
#pragma once

#include <atomic>

struct ParamEntry {
    const char* name;
    const char* label;
    float defaultValue;
};

class ParameterStore {
public:
    static constexpr int kCount = 26;

    // Names, labels and defaults come from `table` (kCount entries); values start at the defaults.
    void load(const ParamEntry* table);

    static bool isValidIndex(int index) { return index >= 0 && index < kCount; }
    const ParamEntry& entry(int index) const { return entries_[index]; }
    float value(int index) const { return values_[index].load(std::memory_order_relaxed); }
    // Clamps and stores; a NaN is refused (answers false) so it can never reach the filters.
    bool store(int index, float value);
    static float clampToUnit(float value) { return value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value); }
    // The contiguous value array the engine reads.
    const std::atomic<float>* values() const { return values_; }

private:
    ParamEntry entries_[kCount]{};
    std::atomic<float> values_[kCount]{};
};
