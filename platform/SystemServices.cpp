#include "platform/SystemServices.h"

#ifdef _WIN32
#include <windows.h>
#include <mmsystem.h>
#else
#include <time.h>
#endif

namespace platform {

#ifdef _WIN32

uint32_t SystemMilliseconds() {
    // The timer's default resolution can be as coarse as 16 ms; ask for 1 ms once, for the
    // process's life, so that fire intervals and update steps are measured as on a fine clock.
    static const bool fineResolution = timeBeginPeriod(1) == TIMERR_NOERROR;
    (void)fineResolution;
    return timeGetTime();
}

void SystemDebugOutput(const char* text) {
    OutputDebugStringA(text);
}

std::filesystem::path ExecutablePath() {
    wchar_t buffer[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, sizeof(buffer) / sizeof(buffer[0]));
    // A length equal to the buffer's means the path was cut short: no answer rather than a
    // wrong one.
    if (length == 0 || length >= sizeof(buffer) / sizeof(buffer[0])) {
        return {};
    }
    return std::filesystem::path(buffer, buffer + length);
}

#else

// Milliseconds of the monotonic clock, which on Linux counts from system start like the
// Windows timer; the truncation to 32 bits gives the same wrap-around.
uint32_t SystemMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint64_t ms =
        static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
}

void SystemDebugOutput(const char* /*text*/) {}

std::filesystem::path ExecutablePath() {
    return {};
}

#endif

}  // namespace platform
