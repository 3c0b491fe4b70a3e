#pragma once
// The rules' clock while a game is recorded or replayed. Installed (platform::SetClock) for
// one step of the rules, it stands in front of the clock installed before (the system's when
// none): recording, it passes every reading through and logs it; playing back, it hands out
// the logged readings in order instead, so the rules see the very times they saw.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Clock.h"
#include "world/ReplayData.h"

class ReplayClock : public platform::IClock {
public:
    ReplayClock() = default;
    ReplayClock(const ReplayClock&) = delete;
    ReplayClock& operator=(const ReplayClock&) = delete;
    ~ReplayClock() override;

    // Installs the clock to log readings into runs (appended to what runs holds).
    void Record(std::vector<ClockRun>& runs);
    // Installs the clock to hand out the readings of runs, which must outlive the playback.
    void Play(const std::vector<ClockRun>& runs);
    // Puts back the clock installed before; nothing when not installed.
    void Stop();

    uint32_t Now() override;
    // Playing back: the rules asked for more readings than were logged (the last one was
    // repeated), or fewer (Unread() > 0); either means the game went another way.
    bool Overrun() const { return m_overrun; }
    uint64_t Unread() const;

    // Readings made in its scope are not the rules' (the sound's own timing, for one): they
    // go to the clock behind the replay clock and are neither logged nor taken from the log.
    class Outside {
    public:
        Outside();
        ~Outside();
        Outside(const Outside&) = delete;
        Outside& operator=(const Outside&) = delete;

    private:
        ReplayClock* m_replay;
    };

private:
    uint32_t Behind() const;

    platform::IClock* m_behind = nullptr;
    bool m_installed = false;
    std::vector<ClockRun>* m_log = nullptr;
    const std::vector<ClockRun>* m_playback = nullptr;
    size_t m_run = 0;
    uint32_t m_used = 0;  // readings taken from the current run
    uint32_t m_last = 0;
    bool m_overrun = false;
};
