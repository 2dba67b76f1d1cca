// The plug-in's parameters: one normalized value per parameter of the table, starting at its
// default. Values are atomics so the audio thread, the host's automation and the editor can read
// and write them without a data race; each store is clamped to [0, 1].
#pragma once

#include <atomic>

#include "parameter_table.h"

namespace vst {

class ParameterStore {
public:
    static constexpr int kCount = param::count;

    ParameterStore();

    static bool isValidIndex(int index) { return param::isValid(index); }
    static const param::Description& entry(int index) { return param::kTable[index]; }
    float value(int index) const { return values_[index].load(std::memory_order_relaxed); }
    // Clamps and stores; a NaN is refused (answers false) so it can never reach the filters.
    bool store(int index, float value);
    static float clampToUnit(float value) { return value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value); }
    // The contiguous value array the engine reads.
    const std::atomic<float>* values() const { return values_; }

private:
    std::atomic<float> values_[kCount]{};
};

}  // namespace vst
