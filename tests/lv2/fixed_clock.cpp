// Preloaded into a test process (LD_PRELOAD): the monotonic clock stands still at
// QX71_FIXED_CLOCK_MS milliseconds. Both editions seed the Analog noise from that clock when an
// instance is made, so every instance in the process, VST 2.4 or LV2, starts with that seed.
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>

extern "C" __attribute__((visibility("default"))) int clock_gettime(clockid_t clock, struct timespec* time) {
    const char* fixed = std::getenv("QX71_FIXED_CLOCK_MS");
    if (clock == CLOCK_MONOTONIC && fixed != nullptr && time != nullptr) {
        const long long ms = std::atoll(fixed);
        time->tv_sec = static_cast<time_t>(ms / 1000);
        time->tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
        return 0;
    }
    return static_cast<int>(syscall(SYS_clock_gettime, clock, time));
}
