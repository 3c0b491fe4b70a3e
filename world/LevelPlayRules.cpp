// The rules of the game: one step of the level in play, in a fixed order.
#include <algorithm>
#include <vector>

#include "audio/CSoundManager.h"
#include "game/ShooterBackground.h"
#include "game/ShooterCamera.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"
#include "game/ShooterProjectile.h"
#include "platform/Clock.h"
#include "resources/CSprite.h"
#include "world/LevelPlay.h"
#include "world/ReplayClock.h"

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

}  // namespace

// A shot of the ship that can hit enemies in this step, with its box packed beside the
// others: every enemy walks these boxes instead of every projectile object.
struct LevelPlay::ShotTarget {
    BoundingBox box;
    ShooterProjectile* shot;
};

void LevelPlay::Step(float& dt, LevelOutcome* outcome) {
    StartClock();
    MoveScene(dt);
    HitTerrain();
    FireWeapon();
    const BoundingBox shipBox = m_player->m_box;
    UpdateEnemies(shipBox, dt, outcome);
    UpdateProjectiles(dt);
}

void LevelPlay::StartClock() {
    if (m_start == 0) {
        m_start = timeGetTime();
    }
    m_time = static_cast<int32_t>(timeGetTime() - m_start);
}

const ShooterEnemy* LevelPlay::GetBoss() const {
    const auto boss = std::find_if(m_enemies.begin(), m_enemies.end(),
                                   [](const auto& enemy) { return enemy && enemy->HoldsCamera(); });
    return boss == m_enemies.end() ? nullptr : boss->get();
}

void LevelPlay::MoveScene(float& dt) {
    // While a boss is in play the level stops scrolling: camera and scenery hold still.
    const bool held = GetBoss() != nullptr;
    if (m_camera && !held) {
        m_camera->Update(dt);
    }
    m_player->Update(dt);
    if (m_background && !held) {
        m_background->Update(dt);
    }
    if (m_explosions) {
        m_explosions->Update(dt);
    }
}

void LevelPlay::HitTerrain() {
    ShooterPlayer& ship = *m_player;
    if (!m_background || ship.IsDead()) {
        return;
    }
    const Contact terrain{m_background->GetFrontBox(), m_background->GetFrontSprite(),
                          m_background->GetPosition(), 0};
    if (Touches(ShipContact(ship, ship.m_box), terrain)) {
        DamageShip(kTerrainDamage);
    }
}

// The ship's hit sound times itself on the clock: that reading is the sound's, not the rules',
// so a replay read without sound meets the same readings as the game it recorded.
void LevelPlay::DamageShip(int damage) {
    ReplayClock::Outside sound;
    m_player->TakeDamage(damage);
}

void LevelPlay::FireWeapon() {
    if (m_firing && timeGetTime() - m_lastFireTime > kFireInterval) {
        // One sound per volley, however many shots the weapon pattern has.
        if (!m_player->IsDead()) {
            CSoundManager::GetInstance()->Cue(SoundCue::ShipFire);
        }
        m_player->Fire();
        m_lastFireTime = timeGetTime();
    }
}

// The ship's shots that have a sprite, in list order. Shots stand still while the enemies
// play and enemies add only shots of their own, so the list holds for the whole enemy pass.
// The buffer is kept between steps so that gathering does not allocate every time.
std::vector<LevelPlay::ShotTarget>& LevelPlay::GatherShipShots() const {
    static std::vector<ShotTarget> targets;
    targets.clear();
    for (const auto& shot : m_projectiles) {
        if (shot && shot->m_fromPlayer && shot->m_sprite) {
            targets.push_back({shot->m_box, shot.get()});
        }
    }
    return targets;
}

void LevelPlay::EraseShot(const ShooterProjectile* shot) {
    for (size_t i = 0; i < m_projectiles.size(); ++i) {
        if (m_projectiles[i].get() == shot) {
            EraseAt(m_projectiles, i);
            return;
        }
    }
}

// Every ship's shot touching the enemy hits it and is used up, even once it is dead.
void LevelPlay::HitEnemyWithShots(ShooterEnemy& enemy, std::vector<ShotTarget>& targets) {
    if (!enemy.m_sprite) {
        return;
    }
    const Contact body = EnemyContact(enemy);
    for (size_t i = 0; i < targets.size();) {
        ShooterProjectile* shot = targets[i].shot;
        if (targets[i].box.Overlaps(body.box) && Touches(body, ShotContact(*shot))) {
            enemy.TakeDamage(shot->m_damage);
            targets.erase(targets.begin() + static_cast<std::ptrdiff_t>(i));
            EraseShot(shot);
            continue;
        }
        ++i;
    }
}

// An active enemy's pass: it moves (and may fire), then rams the ship, then meets the ship's
// shots at the places they reached in the previous step.
void LevelPlay::PlayEnemy(ShooterEnemy& enemy, const BoundingBox& shipBox,
                          std::vector<ShotTarget>& shipShots, float& dt) {
    enemy.Update(dt);
    ShooterPlayer& ship = *m_player;
    if (!ship.IsDead() && Touches(ShipContact(ship, shipBox), EnemyContact(enemy))) {
        DamageShip(kBodyDamage);
    }
    HitEnemyWithShots(enemy, shipShots);
}

void LevelPlay::UpdateEnemies(const BoundingBox& shipBox, float& dt, LevelOutcome* outcome) {
    if (m_enemies.empty()) {
        // Game over is left only by quitting: the enemies that fly on after it and leave must
        // not turn a lost game into a cleared level.
        if (!IsGameOver() && outcome) {
            outcome->LevelCleared();
        }
        return;
    }
    std::vector<ShotTarget>& shipShots = GatherShipShots();
    for (size_t i = 0; i < m_enemies.size();) {
        ShooterEnemy* enemy = m_enemies[i].get();
        if (!enemy) {
            ++i;
            continue;
        }
        if (enemy->IsDue(m_time)) {
            enemy->Activate();
        }
        if (enemy->m_dead) {
            if (enemy->m_destroyed) {
                if (m_explosions) {
                    m_explosions->Spawn(enemy->m_position);
                }
                CSoundManager::GetInstance()->Cue(SoundCue::EnemyDestroyed);
                m_player->AddPoints(kPointsPerEnemy);
            }
            EraseAt(m_enemies, i);
            continue;
        }
        if (enemy->m_active) {
            PlayEnemy(*enemy, shipBox, shipShots, dt);
        }
        ++i;
    }
}

// Projectiles move and age; enemy shots then meet the ship where it is now.
void LevelPlay::UpdateProjectiles(float& dt) {
    ShooterPlayer& ship = *m_player;
    // Damage never moves the ship, so its contact holds for the whole pass.
    const Contact shipBody = ShipContact(ship, ship.m_box);
    for (size_t i = 0; i < m_projectiles.size();) {
        if (!m_projectiles[i]) {
            ++i;
            continue;
        }
        ShooterProjectile& shot = *m_projectiles[i];
        shot.Update(dt);
        if (shot.m_age > kProjectileLifetime) {
            EraseAt(m_projectiles, i);
            continue;
        }
        if (!shot.m_fromPlayer && !ship.IsDead() && Touches(shipBody, ShotContact(shot))) {
            DamageShip(shot.m_damage);
            EraseAt(m_projectiles, i);
            continue;
        }
        ++i;
    }
}
