#pragma once
// The state a replay checkpoint compares: taken from the level in play, and the differences
// between a recorded digest and the one a replay reached, in words.

#include <string>

#include "world/ReplayData.h"

class LevelPlay;

class CheckpointDigest {
public:
    // The ship's position, health, lives and score, the counts of enemies, shots and
    // explosions, and a hash of the level clock, the camera and every actor's position and
    // health (the exact bits of every number).
    static WorldDigest Of(const LevelPlay& level);
    // "" when equal; else each field that differs, "score 120 (recorded 60)", comma separated.
    static std::string Differences(const WorldDigest& recorded, const WorldDigest& now);
};
