#pragma once
// An enemy's flight from its spawn until it leaves the view, computed with the game's own
// enemy and camera code on copies of them, update by update as the world update runs them.

#include <vector>

#include "game/ShooterEnemy.h"
#include "math/Vector2.h"

class ShooterBackground;
class ShooterCamera;

class EnemyFlight {
public:
    // Centres of the enemy's box, in world units, from the update it enters play (the first
    // whose level time passes its spawn time) until it is gone: marked dead by the game's
    // own rule, or out of the view after being in it. An enemy that does not reach the view
    // within kMaxUpdates is followed no further.
    static std::vector<Vector2> Path(const ShooterEnemy& enemy, const ShooterCamera& camera,
                                     const ShooterBackground* background);

    static constexpr int kMaxUpdates = 6000;  // about 3 minutes of play
};
