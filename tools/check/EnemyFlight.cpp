#include "tools/check/EnemyFlight.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/CUpdateTimer.h"
#include "game/ActorStage.h"
#include "game/ShooterCamera.h"
#include "game/ShooterProjectile.h"
#include "tools/check/LevelModel.h"
#include "tools/check/QuietLog.h"

namespace {

// The world as the enemy sees it while it flies: the level's camera and background. Its
// shots have no target here and are dropped.
class FlightStage : public ActorStage {
public:
    FlightStage(ShooterCamera* camera, ShooterBackground* background)
        : m_camera(camera), m_background(background) {
        Register(this);
    }
    ~FlightStage() override { Withdraw(this); }

    ShooterCamera* GetCamera() const override { return m_camera; }
    ShooterBackground* GetBackground() const override { return m_background; }
    ShooterPlayer* GetPlayer() const override { return nullptr; }
    void AddProjectile(ShooterProjectile* projectile) override { delete projectile; }

private:
    ShooterCamera* m_camera;
    ShooterBackground* m_background;
};

bool InView(const BoundingBox& box, const ShooterCamera& camera) {
    const Vector2& at = camera.GetPosition();
    const Vector2& size = camera.GetSize();
    return box.right >= at.x && box.left <= at.x + size.x && box.top >= at.y &&
           box.bottom <= at.y + size.y;
}

// The first update (counted from 1) in which the game brings the enemy into play: the level
// clock reads 0 in the first update and advances one step per update. The game's rule is
// asked by bisection, since a spawn may lie millions of updates away.
int SpawnUpdate(const ShooterEnemy& enemy) {
    const auto levelTime = [](int64_t update) {
        return static_cast<int32_t>(std::min<int64_t>((update - 1) * CUpdateTimer::kShortestStep,
                                                      std::numeric_limits<int32_t>::max()));
    };
    int64_t low = 1;
    int64_t high = int64_t(std::numeric_limits<int32_t>::max()) / CUpdateTimer::kShortestStep + 2;
    if (!enemy.IsDue(levelTime(high))) {
        return static_cast<int>(high);  // never due: its flight starts past any map
    }
    while (low < high) {
        const int64_t middle = (low + high) / 2;
        if (enemy.IsDue(levelTime(middle))) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return static_cast<int>(low);
}

Vector2 Centre(const BoundingBox& box) {
    return Vector2((box.left + box.right) / 2.0f, (box.bottom + box.top) / 2.0f);
}

// The view when the enemy enters play: the camera moved on by its velocity until then.
ShooterCamera ViewAtSpawn(const ShooterEnemy& enemy, const ShooterCamera& camera) {
    ShooterCamera view = camera;
    const float updates = static_cast<float>(SpawnUpdate(enemy));
    view.m_position = camera.m_position + camera.m_velocity * updates;
    return view;
}

// Flies the enemy up to `updates` updates, adding its box centres to path; the view moves
// from the second update on (as the game moves it after the update the enemy entered in)
// unless it is held. False once the enemy is gone: dead, or out of the view after being in
// it (seen carries that over from one call to the next).
bool Fly(ShooterEnemy& flyer, ShooterCamera& view, bool held, int updates, bool& seen,
         std::vector<Vector2>& path) {
    float dt = static_cast<float>(LevelModel::kMsPerUpdate);
    for (int update = 0; update < updates; ++update) {
        if (!held && update > 0) {
            view.Update(dt);
        }
        flyer.Update(dt);
        if (flyer.m_dead) {
            return false;
        }
        path.push_back(Centre(flyer.m_box));
        const bool inView = InView(flyer.m_box, view);
        if (seen && !inView) {
            return false;
        }
        seen = seen || inView;
    }
    return true;
}

}  // namespace

std::vector<Vector2> EnemyFlight::Path(const ShooterEnemy& enemy, const ShooterCamera& camera,
                                       const ShooterBackground* background) {
    QuietLog quiet;
    ShooterCamera view = ViewAtSpawn(enemy, camera);
    ShooterEnemy flyer = enemy;
    FlightStage stage(&view, const_cast<ShooterBackground*>(background));
    flyer.Activate();
    std::vector<Vector2> path{Centre(flyer.m_box)};
    bool seen = false;
    Fly(flyer, view, enemy.m_boss, kMaxUpdates, seen, path);
    return path;
}

std::vector<std::vector<Vector2>> EnemyFlight::PhasePaths(const ShooterEnemy& boss,
                                                          const ShooterCamera& camera,
                                                          const ShooterBackground* background) {
    std::vector<std::vector<Vector2>> paths;
    if (!boss.m_boss) {
        return paths;
    }
    QuietLog quiet;
    ShooterCamera view = ViewAtSpawn(boss, camera);
    ShooterEnemy flyer = boss;
    FlightStage stage(&view, const_cast<ShooterBackground*>(background));
    flyer.Activate();
    std::vector<Vector2> start{Centre(flyer.m_box)};
    bool seen = false;
    bool flying = Fly(flyer, view, true, kPhaseUpdates, seen, start);
    for (const BossPhases::Phase& phase : boss.m_phases.List()) {
        std::vector<Vector2> path;
        if (flying && flyer.m_health > phase.below - 1) {
            flyer.TakeDamage(flyer.m_health - (phase.below - 1));
            path.push_back(Centre(flyer.m_box));
            flying = Fly(flyer, view, true, kPhaseUpdates, seen, path);
        }
        paths.push_back(path);
    }
    return paths;
}
