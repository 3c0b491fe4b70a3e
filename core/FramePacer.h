#pragma once
// The optional frame-rate cap of the main loop. Uncapped (the default) it never asks the loop
// to wait and every pass draws a frame, as the loop was designed. Capped at N frames a second
// it spaces frames 1000/N ms apart (on average: the schedule keeps the fraction) and tells the
// loop how long it may sleep before the next frame or the next update is due, whichever comes
// first, so an update is never held past its tick (the first clock reading more than
// CUpdateTimer::kInterval ms after the last update).

#include <cstdint>

class FramePacer {
public:
    explicit FramePacer(uint32_t maxFps = 0) : m_maxFps(maxFps) {}

    bool IsCapped() const { return m_maxFps > 0; }
    uint32_t MaxFps() const { return m_maxFps; }
    // Milliseconds the loop may sleep at clock reading now, given the end of the last update;
    // 0 when uncapped or when a frame or an update is due already.
    uint32_t SleepBefore(uint32_t now, uint32_t lastUpdate) const;
    // True when a frame should be drawn at clock reading now; always true when uncapped.
    bool IsFrameDue(uint32_t now) const;
    // Records a frame drawn at clock reading now and schedules the next one.
    void MarkFrame(uint32_t now);

private:
    // Milliseconds from now to the next frame, 0 when it is due.
    uint32_t UntilFrame(uint32_t now) const;

    uint32_t m_maxFps;
    bool m_started = false;
    uint32_t m_origin = 0;       // clock reading the schedule counts from
    uint64_t m_framesSince = 0;  // frames scheduled since m_origin
};
