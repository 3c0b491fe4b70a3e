#pragma once
// A game played by a script of key presses on the rules alone (HeadlessGame, on the data of
// the working folder) and recorded as a replay, as the world records one. The keys go
// through the input mapping, so the commands are the ones a player's presses give; the clock
// starts at kStartClock and moves on by the time step before every update. Tests and
// tools/record_replays make their replays with it.

#include <SDL/SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "world/ReplayData.h"

class ScriptedGame {
public:
    static constexpr uint32_t kStartClock = 100000;

    // A key pressed (down) or released before the update of that number.
    struct Key {
        uint32_t update;
        SDLKey key;
        bool down;
    };
    enum class Ending { GameOver, LevelComplete, Unfinished };

    // Plays updates of dt ms until the game is over or maxUpdates have run; false with the
    // reason in error when the data cannot be played.
    static bool Play(const std::vector<Key>& script, float dt, uint32_t maxUpdates, Replay& replay,
                     Ending& ending, std::string& error);
};
