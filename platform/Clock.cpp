#include "platform/Clock.h"

#include <time.h>

namespace {

platform::IClock* g_clock = nullptr;

// Milliseconds of the monotonic clock, which on Linux counts from system start like the
// Windows timer; the truncation to 32 bits gives the same wrap-around.
uint32_t SystemMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint64_t ms =
        static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
}

}  // namespace

uint32_t timeGetTime() {
    return g_clock ? g_clock->Now() : SystemMilliseconds();
}

namespace platform {

void SetClock(IClock* clock) {
    g_clock = clock;
}

}  // namespace platform
