// Milliseconds from a monotonic clock (GetTickCount on Windows); seeds the Analog noise.
#pragma once

#include <cstdint>

namespace dsp {

uint32_t millisecondTicks();

}  // namespace dsp
