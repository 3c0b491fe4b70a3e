#include "world/ReplayClock.h"

#include "platform/SystemServices.h"

namespace {

// The replay clock installed now, for Outside.
ReplayClock* g_active = nullptr;

}  // namespace

ReplayClock::~ReplayClock() {
    Stop();
}

void ReplayClock::Record(std::vector<ClockRun>& runs) {
    Stop();
    m_log = &runs;
    m_playback = nullptr;
    m_behind = platform::InstalledClock();
    platform::SetClock(this);
    m_installed = true;
    g_active = this;
}

void ReplayClock::Play(const std::vector<ClockRun>& runs) {
    Stop();
    m_log = nullptr;
    m_playback = &runs;
    m_run = 0;
    m_used = 0;
    m_overrun = false;
    m_behind = platform::InstalledClock();
    platform::SetClock(this);
    m_installed = true;
    g_active = this;
}

void ReplayClock::Stop() {
    if (!m_installed) {
        return;
    }
    platform::SetClock(m_behind);
    m_installed = false;
    if (g_active == this) {
        g_active = nullptr;
    }
}

uint32_t ReplayClock::Behind() const {
    return m_behind ? m_behind->Now() : platform::SystemMilliseconds();
}

uint32_t ReplayClock::Now() {
    if (m_log) {
        const uint32_t now = Behind();
        if (!m_log->empty() && m_log->back().value == now) {
            ++m_log->back().count;
        } else {
            m_log->push_back({now, 1});
        }
        return now;
    }
    if (!m_playback) {
        return Behind();
    }
    while (m_run < m_playback->size() && m_used >= (*m_playback)[m_run].count) {
        ++m_run;
        m_used = 0;
    }
    if (m_run >= m_playback->size()) {
        m_overrun = true;
        return m_last;
    }
    ++m_used;
    m_last = (*m_playback)[m_run].value;
    return m_last;
}

uint64_t ReplayClock::Unread() const {
    if (!m_playback) {
        return 0;
    }
    uint64_t left = 0;
    for (size_t i = m_run; i < m_playback->size(); ++i) {
        left += (*m_playback)[i].count;
    }
    return left - (m_run < m_playback->size() ? m_used : 0);
}

ReplayClock::Outside::Outside() : m_replay(g_active) {
    if (m_replay) {
        platform::SetClock(m_replay->m_behind);
    }
}

ReplayClock::Outside::~Outside() {
    if (m_replay) {
        platform::SetClock(m_replay);
    }
}
