#include "core/FramePacer.h"

#include "core/CUpdateTimer.h"

#include <algorithm>

namespace {

// Signed distance from a to b on the wrapping 32-bit clock.
int64_t Ahead(uint32_t from, uint32_t to) {
    return static_cast<int32_t>(to - from);
}

}  // namespace

uint32_t FramePacer::UntilFrame(uint32_t now) const {
    if (!m_started) {
        return 0;
    }
    // Frame k is due at origin + k * 1000 / maxFps, rounded up to whole milliseconds.
    const uint64_t offset = (m_framesSince * 1000 + m_maxFps - 1) / m_maxFps;
    const int64_t wait = static_cast<int64_t>(offset) - Ahead(m_origin, now);
    return wait > 0 ? static_cast<uint32_t>(wait) : 0;
}

bool FramePacer::IsFrameDue(uint32_t now) const {
    return !IsCapped() || UntilFrame(now) == 0;
}

void FramePacer::MarkFrame(uint32_t now) {
    if (!IsCapped()) {
        return;
    }
    const uint64_t period = 1000 / m_maxFps + 1;
    // A first frame, or a loop that fell more than a frame behind (a long load, a slow
    // driver), starts a new schedule instead of drawing a burst of frames to catch up.
    if (!m_started || Ahead(m_origin, now) < 0 ||
        static_cast<uint64_t>(Ahead(m_origin, now)) > (m_framesSince * 1000) / m_maxFps + period) {
        m_started = true;
        m_origin = now;
        m_framesSince = 0;
    }
    ++m_framesSince;
}

uint32_t FramePacer::SleepBefore(uint32_t now, uint32_t lastUpdate) const {
    if (!IsCapped()) {
        return 0;
    }
    CUpdateTimer timer;
    timer.MarkUpdated(lastUpdate);
    float dt = 0.0f;
    if (timer.IsDue(now, dt)) {
        return 0;
    }
    const uint32_t frame = UntilFrame(now);
    // Not due yet: the update comes at the first reading more than the interval after the
    // last one.
    // Never negative (a clock that stepped back) and never longer than one interval, whatever
    // the readings: the loop must not sleep through its next update.
    int64_t update = Ahead(now, lastUpdate + CUpdateTimer::kInterval + 1);
    update = std::clamp<int64_t>(update, 0, CUpdateTimer::kInterval + 1);
    return frame < update ? frame : static_cast<uint32_t>(update);
}
