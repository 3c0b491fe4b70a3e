#pragma once
// A hand-driven clock for timing rules. Installed for its lifetime, so timeGetTime() reads it.

#include <cstdint>

#include "platform/Clock.h"

class FakeClock : public platform::IClock {
public:
    explicit FakeClock(uint32_t start = 0) : m_now(start) { platform::SetClock(this); }
    ~FakeClock() override { platform::SetClock(nullptr); }

    uint32_t Now() override { return m_now; }
    void Set(uint32_t now) { m_now = now; }
    void Advance(uint32_t ms) { m_now += ms; }

private:
    uint32_t m_now;
};
