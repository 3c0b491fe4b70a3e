// The rules of the game: one world update, in a fixed order of steps.
#include "world/ShooterWorld.h"

#include <vector>

#include "audio/CSoundManager.h"
#include "events/CEventManager.h"
#include "game/ShooterBackground.h"
#include "game/ShooterCamera.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"
#include "game/ShooterProjectile.h"
#include "gui/CGUI.h"
#include "platform/Clock.h"
#include "resources/CSprite.h"

namespace {

constexpr int kTerrainDamage = 100;
constexpr int kBodyDamage = 50;
constexpr int kPointsPerEnemy = 60;
// The fire key shoots only when more than this has passed since the last shot ended.
constexpr uint32_t kFireInterval = 300;
// Projectiles older than this are removed.
constexpr int32_t kProjectileLifetime = 3000;

// What the contact test needs of one actor.
struct Contact {
    BoundingBox box;
    const CSprite* sprite;
    Vector2 position;
    int frame;
};

// Boxes first; only overlapping boxes are tested pixel by pixel, a's frame against b's at
// b's position relative to a's. An actor without a sprite touches nothing.
bool Touches(const Contact& a, const Contact& b) {
    if (!a.sprite || !b.sprite || !a.box.Overlaps(b.box)) {
        return false;
    }
    return a.sprite->PixelCollide(b.sprite, b.position - a.position, a.frame, b.frame);
}

Contact ShipContact(const ShooterPlayer& ship, const BoundingBox& box) {
    return {box, ship.m_sprite, ship.m_position, ship.m_frame};
}

Contact EnemyContact(const ShooterEnemy& enemy) {
    return {enemy.m_box, enemy.m_sprite, enemy.m_position, enemy.m_frame};
}

// Projectiles are always drawn with frame 0.
Contact ShotContact(const ShooterProjectile& shot) {
    return {shot.m_box, shot.m_sprite, shot.m_position, 0};
}

template <typename T>
void EraseAt(std::vector<std::unique_ptr<T>>& list, size_t i) {
    list[i].reset();
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
}

void StartLevelClock(ShooterWorld& world) {
    if (world.m_levelStart == 0) {
        world.m_levelStart = timeGetTime();
    }
    world.m_levelTime = static_cast<int32_t>(timeGetTime() - world.m_levelStart);
}

void MoveScene(ShooterWorld& world, float& dt) {
    if (world.m_camera) {
        world.m_camera->Update(dt);
    }
    world.m_player->Update(dt);
    if (world.m_background) {
        world.m_background->Update(dt);
    }
    if (world.m_explosions) {
        world.m_explosions->Update(dt);
    }
}

void HitTerrain(ShooterWorld& world) {
    ShooterPlayer& ship = *world.m_player;
    const ShooterBackground* background = world.m_background.get();
    if (!background || ship.IsDead()) {
        return;
    }
    const Contact terrain{background->GetFrontBox(), background->GetFrontSprite(),
                          background->GetPosition(), 0};
    if (Touches(ShipContact(ship, ship.m_box), terrain)) {
        ship.TakeDamage(kTerrainDamage);
    }
}

void FireWeapon(ShooterWorld& world) {
    if (world.m_firing && timeGetTime() - g_lastFireTime > kFireInterval) {
        // One sound per volley, however many shots the weapon pattern has.
        if (!world.m_player->IsDead()) {
            CSoundManager::GetInstance()->Cue(SoundCue::ShipFire);
        }
        world.m_player->Fire();
        g_lastFireTime = timeGetTime();
    }
}

// A shot of the ship that can hit enemies in this update, with its box packed beside the
// others: every enemy walks these boxes instead of every projectile object.
struct ShotTarget {
    BoundingBox box;
    ShooterProjectile* shot;
};

// The ship's shots that have a sprite, in list order. Shots stand still while the enemies
// play and enemies add only shots of their own, so the list holds for the whole enemy pass.
// The buffer is kept between updates so that gathering does not allocate every time.
std::vector<ShotTarget>& GatherShipShots(const ShooterWorld& world) {
    static std::vector<ShotTarget> targets;
    targets.clear();
    for (const auto& shot : world.m_projectiles) {
        if (shot && shot->m_fromPlayer && shot->m_sprite) {
            targets.push_back({shot->m_box, shot.get()});
        }
    }
    return targets;
}

void EraseShot(ShooterWorld& world, const ShooterProjectile* shot) {
    auto& shots = world.m_projectiles;
    for (size_t i = 0; i < shots.size(); ++i) {
        if (shots[i].get() == shot) {
            EraseAt(shots, i);
            return;
        }
    }
}

// Every ship's shot touching the enemy hits it and is used up, even once it is dead.
void HitEnemyWithShots(ShooterWorld& world, ShooterEnemy& enemy, std::vector<ShotTarget>& targets) {
    if (!enemy.m_sprite) {
        return;
    }
    const Contact body = EnemyContact(enemy);
    for (size_t i = 0; i < targets.size();) {
        ShooterProjectile* shot = targets[i].shot;
        if (targets[i].box.Overlaps(body.box) && Touches(body, ShotContact(*shot))) {
            enemy.TakeDamage(shot->m_damage);
            targets.erase(targets.begin() + static_cast<std::ptrdiff_t>(i));
            EraseShot(world, shot);
            continue;
        }
        ++i;
    }
}

// An active enemy's pass: it moves (and may fire), then rams the ship, then meets the ship's
// shots at the places they reached in the previous update.
void PlayEnemy(ShooterWorld& world, ShooterEnemy& enemy, const BoundingBox& shipBox,
               std::vector<ShotTarget>& shipShots, float& dt) {
    enemy.Update(dt);
    ShooterPlayer& ship = *world.m_player;
    if (!ship.IsDead() && Touches(ShipContact(ship, shipBox), EnemyContact(enemy))) {
        ship.TakeDamage(kBodyDamage);
    }
    HitEnemyWithShots(world, enemy, shipShots);
}

// The ship is gone for good: dead, no life left and not coming back.
bool GameOver(const ShooterPlayer& ship) {
    return ship.IsDead() && ship.GetLives() == 0 && !ship.m_respawning;
}

void UpdateEnemies(ShooterWorld& world, const BoundingBox& shipBox, float& dt) {
    auto& enemies = world.m_enemies;
    if (enemies.empty()) {
        // Game over is left only by quitting: the enemies that fly on after it and leave must
        // not turn a lost game into a cleared level.
        if (!GameOver(*world.m_player)) {
            CGUI::GetInstance()->SetActiveLayer(world.m_gameCompleteLayer);
            if (!world.m_endingCued) {
                world.m_endingCued = true;
                CSoundManager::GetInstance()->Cue(SoundCue::LevelComplete);
            }
            world.RecordScore();
        }
        return;
    }
    std::vector<ShotTarget>& shipShots = GatherShipShots(world);
    for (size_t i = 0; i < enemies.size();) {
        ShooterEnemy* enemy = enemies[i].get();
        if (!enemy) {
            ++i;
            continue;
        }
        if (enemy->m_spawnTime < world.m_levelTime && !enemy->m_active) {
            enemy->Activate();
        }
        if (enemy->m_dead) {
            if (enemy->m_destroyed) {
                if (world.m_explosions) {
                    world.m_explosions->Spawn(enemy->m_position);
                }
                CSoundManager::GetInstance()->Cue(SoundCue::EnemyDestroyed);
                world.m_player->AddPoints(kPointsPerEnemy);
            }
            EraseAt(enemies, i);
            continue;
        }
        if (enemy->m_active) {
            PlayEnemy(world, *enemy, shipBox, shipShots, dt);
        }
        ++i;
    }
}

// Projectiles move and age; enemy shots then meet the ship where it is now.
void UpdateProjectiles(ShooterWorld& world, float& dt) {
    auto& shots = world.m_projectiles;
    ShooterPlayer& ship = *world.m_player;
    // Damage never moves the ship, so its contact holds for the whole pass.
    const Contact shipBody = ShipContact(ship, ship.m_box);
    for (size_t i = 0; i < shots.size();) {
        if (!shots[i]) {
            ++i;
            continue;
        }
        ShooterProjectile& shot = *shots[i];
        shot.Update(dt);
        if (shot.m_age > kProjectileLifetime) {
            EraseAt(shots, i);
            continue;
        }
        if (!shot.m_fromPlayer && !ship.IsDead() && Touches(shipBody, ShotContact(shot))) {
            ship.TakeDamage(shot.m_damage);
            EraseAt(shots, i);
            continue;
        }
        ++i;
    }
}

}  // namespace

void ShooterWorld::UpdateWorld(float& dt) {
    CEventManager::GetInstance()->Tick();
    CGUI::GetInstance()->Update(dt);
    if (!m_player || m_paused) {
        return;
    }
    ++m_sceneChanges;
    StartLevelClock(*this);
    MoveScene(*this, dt);
    HitTerrain(*this);
    FireWeapon(*this);
    const BoundingBox shipBox = m_player->m_box;
    UpdateEnemies(*this, shipBox, dt);
    UpdateProjectiles(*this, dt);
}
