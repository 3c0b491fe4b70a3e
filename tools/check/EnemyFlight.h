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
    // A boss holds the view where it was when the boss entered, as the game holds it.
    static std::vector<Vector2> Path(const ShooterEnemy& enemy, const ShooterCamera& camera,
                                     const ShooterBackground* background);
    // A boss's flight in each of its phases, in order: it flies as loaded for kPhaseUpdates,
    // then its health drops to just below each phase's threshold in turn and it flies that
    // phase for kPhaseUpdates (fewer when it leaves the view first), the view held. Phases
    // follow health, not time; this shows how each one flies, from where the one before left
    // the boss. Empty for an enemy that is not a boss.
    static std::vector<std::vector<Vector2>> PhasePaths(const ShooterEnemy& boss,
                                                        const ShooterCamera& camera,
                                                        const ShooterBackground* background);

    static constexpr int kMaxUpdates = 6000;  // about 3 minutes of play
    static constexpr int kPhaseUpdates = 96;  // about 3 seconds
};
