#include "core/CUpdateTimer.h"

bool CUpdateTimer::IsDue(uint32_t now, float& dt) const {
    const uint32_t threshold = m_last + kInterval;  // wraps when last is within 30 ms of 2^32
    // The clock came round 2^32 since the last update, which ended more than 30 ms before
    // the wrap: the plain comparison would hold the update back until the clock came round
    // again, 49.7 days later. The time that truly passed decides (less than 2^31 ms, since a
    // larger distance cannot be told from a clock that stepped back).
    const uint32_t elapsed = now - m_last;
    const bool wrappedSince = now < m_last && threshold >= m_last;
    const bool due = wrappedSince ? elapsed > kInterval && elapsed < 0x80000000u : threshold < now;
    if (!due) {
        return false;
    }
    dt = static_cast<float>(elapsed);
    return true;
}
