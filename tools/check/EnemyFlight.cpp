#include "tools/check/EnemyFlight.h"

#include <cmath>

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

// The first update whose level time passes the spawn time: the level clock reads 0 in the
// first update and grows by one update's time per update.
int SpawnUpdate(int spawnTime) {
    if (spawnTime < 0) {
        return 1;
    }
    return static_cast<int>(std::floor(spawnTime / LevelModel::kMsPerUpdate)) + 2;
}

}  // namespace

std::vector<Vector2> EnemyFlight::Path(const ShooterEnemy& enemy, const ShooterCamera& camera,
                                       const ShooterBackground* background) {
    QuietLog quiet;  // an unknown action logs on every update; it is reported elsewhere
    ShooterCamera view = camera;
    ShooterEnemy flyer = enemy;
    FlightStage stage(&view, const_cast<ShooterBackground*>(background));
    const float updates = static_cast<float>(SpawnUpdate(enemy.m_spawnTime));
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
