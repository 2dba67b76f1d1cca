#include "parameter_store.h"

#include <cmath>

namespace vst {

ParameterStore::ParameterStore() {
    for (int i = 0; i < kCount; ++i) values_[i].store(param::kTable[i].defaultValue, std::memory_order_relaxed);
}

bool ParameterStore::store(int index, float value) {
    if (!isValidIndex(index) || std::isnan(value)) return false;
    values_[index].store(clampToUnit(value), std::memory_order_relaxed);
    return true;
}

}  // namespace vst
