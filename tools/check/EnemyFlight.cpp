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

}  // namespace

std::vector<Vector2> EnemyFlight::Path(const ShooterEnemy& enemy, const ShooterCamera& camera,
                                       const ShooterBackground* background) {
    QuietLog quiet;
    ShooterCamera view = camera;
    ShooterEnemy flyer = enemy;
    FlightStage stage(&view, const_cast<ShooterBackground*>(background));
    const float updates = static_cast<float>(SpawnUpdate(enemy));
    view.m_position = camera.m_position + camera.m_velocity * updates;
    float dt = static_cast<float>(LevelModel::kMsPerUpdate);

    std::vector<Vector2> path;
    flyer.Activate();
    const BoundingBox& start = flyer.m_box;
    path.emplace_back((start.left + start.right) / 2.0f, (start.bottom + start.top) / 2.0f);
    bool seen = false;
    for (int update = 0; update < kMaxUpdates; ++update) {
        if (update > 0) {
            view.Update(dt);
        }
        flyer.Update(dt);
        if (flyer.m_dead) {
            break;
        }
        const BoundingBox& box = flyer.m_box;
        path.emplace_back((box.left + box.right) / 2.0f, (box.bottom + box.top) / 2.0f);
        const bool inView = InView(box, view);
        if (seen && !inView) {
            break;
        }
        seen = seen || inView;
    }
    return path;
}
