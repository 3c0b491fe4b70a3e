#pragma once
// The game's millisecond clock: an unsigned 32-bit counter that wraps, counting from the
// start of the system. On Windows it reads the multimedia timer the game was built on;
// elsewhere the monotonic clock stands in for it.

#include <cstdint>

// Current clock value in milliseconds; wraps modulo 2^32.
uint32_t timeGetTime();

namespace platform {

// A source of clock readings. Tests install a fake one to drive every timing rule by hand.
class IClock {
public:
    virtual ~IClock() = default;
    // Current reading in milliseconds.
    virtual uint32_t Now() = 0;
};

// Makes timeGetTime() read from clock; null restores the system's monotonic clock.
// The clock is borrowed: the caller keeps it alive while it is installed.
void SetClock(IClock* clock);
// The clock installed now; null for the system's.
IClock* InstalledClock();

}  // namespace platform
