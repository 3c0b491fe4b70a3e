#pragma once
// A level as the game builds it (its camera, background and enemies, read by the game's own
// loaders) plus the timing the checker and the map derive from it.

#include <memory>
#include <string>
#include <vector>

#include "core/CUpdateTimer.h"
#include "game/ShooterBackground.h"
#include "game/ShooterCamera.h"
#include "game/ShooterEnemy.h"

struct LevelModel {
    // The main loop updates once more than CUpdateTimer::kInterval ms have passed, so an
    // update comes every kInterval + 1 ms at best; the camera moves once per update.
    static constexpr double kMsPerUpdate = CUpdateTimer::kInterval + 1.0;

    std::string file;
    std::unique_ptr<ShooterCamera> camera;
    std::unique_ptr<ShooterBackground> background;
    std::vector<std::unique_ptr<ShooterEnemy>> enemies;  // file order
    std::vector<int> enemyLines;                         // line of each enemy's element

    // Updates from the start until the right edge of the view reaches the end of the front
    // layer's strip (the terrain the ship flies over); negative when the camera never gets
    // there (it stands still or there is no terrain).
    double LastPlayableUpdate() const;
    // The camera's x after that many updates.
    float CameraXAfter(double updates) const;
};
