// The one millisecond clock of the editor side: GetTickCount on Windows, a monotonic clock
// elsewhere. Tests replace it so that timing rules run without sleeping.
#pragma once

#include <cstdint>

namespace qx71 {

using ClockFunction = std::uint32_t (*)();

// Milliseconds from an arbitrary start; wraps around like GetTickCount.
std::uint32_t nowMs();
// Installs another clock; nullptr restores the system clock.
void setClock(ClockFunction clock);

}  // namespace qx71
