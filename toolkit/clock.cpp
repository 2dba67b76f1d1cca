#include "clock.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <chrono>
#endif

namespace qx71 {
namespace {

std::uint32_t systemClock() {
#ifdef _WIN32
    return static_cast<std::uint32_t>(GetTickCount());
#else
    using namespace std::chrono;
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
#endif
}

ClockFunction currentClock = systemClock;

}  // namespace

std::uint32_t nowMs() { return currentClock(); }

void setClock(ClockFunction clock) { currentClock = clock ? clock : systemClock; }

}  // namespace qx71
