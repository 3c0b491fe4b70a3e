#pragma once
// A level as the game builds it (its parts, read by the game's own level loader) plus the
// timing the checker and the map derive from it.

#include <string>

#include "core/CUpdateTimer.h"
#include "game/LevelLoader.h"

struct LevelModel : LevelLoader::Parts {
    // The level clock's step per update when the loop keeps up; the camera moves once per
    // update.
    static constexpr double kMsPerUpdate = CUpdateTimer::kShortestStep;

    std::string file;

    // Updates from the start until the right edge of the view reaches the end of the front
    // layer's strip (the terrain the ship flies over); negative when the camera never gets
    // there (it stands still or there is no terrain).
    double LastPlayableUpdate() const;
    // The camera's x after that many updates.
    float CameraXAfter(double updates) const;
};
