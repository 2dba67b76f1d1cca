#include "millisecond_ticks.h"

#ifdef _WIN32
#include <windows.h>

uint32_t millisecondTicks() { return static_cast<uint32_t>(GetTickCount()); }
#else
#include <chrono>

uint32_t millisecondTicks() {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}
#endif
