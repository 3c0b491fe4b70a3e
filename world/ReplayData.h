#pragma once
// What a replay holds: everything the rules read during one game, so that the same build on
// the same data plays that game again exactly. docs/replays.md describes the file.

#include <cstdint>
#include <string>
#include <vector>

#include "game/GameCommand.h"

// A summary of the world's state at a checkpoint: the ship, the score, how many enemies, shots
// and explosions there are, and a hash of every actor's position and health.
struct WorldDigest {
    float shipX = 0.0f;
    float shipY = 0.0f;
    int32_t health = 0;
    int32_t lives = 0;
    int32_t points = 0;
    uint32_t enemies = 0;
    uint32_t shots = 0;
    uint32_t explosions = 0;
    uint64_t hash = 0;
};

// Equal clock readings in a row: value, count times.
struct ClockRun {
    uint32_t value = 0;
    uint32_t count = 0;
};

// One world update (two per tick in motion-blur mode): the ship commands carried out since the
// previous update, the time step in milliseconds, whether the rules stepped (the game was not
// paused) and the clock readings the rules made, in order. An update without commands or
// step stands for `repeat` equal updates in a row.
struct ReplayUpdate {
    float dt = 0.0f;
    bool stepped = false;
    uint32_t repeat = 1;
    std::vector<GameCommand> commands;
    std::vector<ClockRun> readings;
};

// The world's state after the update of that number (counting from 0, repeats included).
struct ReplayCheckpoint {
    uint32_t update = 0;
    WorldDigest digest;
};

// A data file the rules read, by its path as the game names it.
struct ReplayDataFile {
    std::string name;
    uint64_t hash = 0;  // FNV-1a, 64 bits, of its bytes
    uint32_t size = 0;
};

struct Replay {
    static constexpr uint16_t kFormatVersion = 1;
    // Checkpoints are taken after every this many updates, and after the last.
    static constexpr uint32_t kCheckpointInterval = 100;

    uint16_t formatVersion = kFormatVersion;
    std::string gameVersion;
    std::vector<ReplayDataFile> data;
    // The random seed of the rules; 0: they draw no random numbers.
    uint32_t seed = 0;
    // The clock reading of the ship's last volley when the game began (a game played again
    // keeps the previous game's).
    uint32_t lastFireTime = 0;
    std::vector<ReplayUpdate> updates;
    std::vector<ReplayCheckpoint> checkpoints;

    // Updates counted with their repeats.
    uint64_t UpdateCount() const;
};
