#include "core/CUpdateTimer.h"

bool CUpdateTimer::IsDue(uint32_t now, float& dt) const {
    const uint32_t threshold = m_last + kInterval;  // wraps by design
    if (!(threshold < now)) {
        return false;
    }
    dt = static_cast<float>(now - m_last);
    return true;
}
