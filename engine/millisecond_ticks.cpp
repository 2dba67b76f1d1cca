#include "millisecond_ticks.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <chrono>
#endif

namespace dsp {

#ifdef _WIN32
uint32_t millisecondTicks() { return static_cast<uint32_t>(GetTickCount()); }
#else
uint32_t millisecondTicks() {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}
#endif

}  // namespace dsp
