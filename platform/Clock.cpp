#include "platform/Clock.h"

#include "platform/SystemServices.h"

namespace {

platform::IClock* g_clock = nullptr;

}  // namespace

uint32_t timeGetTime() {
    return g_clock ? g_clock->Now() : platform::SystemMilliseconds();
}

namespace platform {

void SetClock(IClock* clock) {
    g_clock = clock;
}

IClock* InstalledClock() {
    return g_clock;
}

}  // namespace platform
