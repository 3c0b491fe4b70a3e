#pragma once
// The main loop's update rule: update when the clock reads more than 30 ms after the end of
// the previous update. The sum last + 30 wraps modulo 2^32 and the comparison is strict, so
// an update that ended within 30 ms of 2^32 is followed by one at once. When the clock wraps
// later than that, the update comes once more than 30 ms have truly passed.

#include <cstdint>

class CUpdateTimer {
public:
    static constexpr uint32_t kInterval = 30;
    // The shortest time from one update to the next (the comparison is strict): the step of
    // the level clock when the loop keeps up, as the data checker assumes it.
    static constexpr uint32_t kShortestStep = kInterval + 1;

    // True when an update is due at clock reading now; dt is then now - last (wrapping).
    bool IsDue(uint32_t now, float& dt) const;
    // Records the clock reading taken after the update returned.
    void MarkUpdated(uint32_t afterUpdate) { m_last = afterUpdate; }
    uint32_t GetLast() const { return m_last; }

private:
    uint32_t m_last = 0;  // 0 at start, so the very first pass always updates
};
