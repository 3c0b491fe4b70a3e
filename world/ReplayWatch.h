#pragma once
// Watching a replay in the world, with the normal picture and sound: the recorded updates
// take the place of the player's input, one per update of the loop, or two or four at the
// higher speeds. The player's keys only pause the playback (P), choose its speed (1, 2, 4) and
// end it (Escape); closing the window quits the game.

#include <SDL/SDL.h>

#include <cstddef>
#include <cstdint>

#include "world/ReplayData.h"

class ShooterWorld;

class ReplayWatch {
public:
    explicit ReplayWatch(const Replay& replay) : m_replay(replay) {}

    // Plays the replay in world, which must be at a fresh start of its level, until Escape
    // or the window closes (then the world's quit flag is set). The last picture stays once
    // the replay is over.
    void Run(ShooterWorld* world);

    // The next recorded update (a repeated one as often as it repeats), or null at the end.
    const ReplayUpdate* Next();
    // One SDL event of the watching keys.
    void Handle(const SDL_Event& event);
    int Speed() const { return m_speed; }
    bool IsPaused() const { return m_paused; }
    bool IsEnded() const { return m_ended; }

private:
    const Replay& m_replay;
    size_t m_index = 0;
    uint32_t m_repeated = 0;
    int m_speed = 1;
    bool m_paused = false;
    bool m_ended = false;
};
