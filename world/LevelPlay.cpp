// The level in play: loading, the ship's commands, the clock and the actors' stage.
#include "world/LevelPlay.h"

#include "game/LevelLoader.h"
#include "game/ScoreTable.h"
#include "game/ShooterBackground.h"
#include "game/ShooterCamera.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"
#include "game/ShooterProjectile.h"
#include "platform/Clock.h"

namespace {

constexpr int kLowestWeapon = 0;
constexpr int kHighestWeapon = 3;

}  // namespace

LevelPlay::LevelPlay() {
    Register(this);
}

LevelPlay::~LevelPlay() {
    Withdraw(this);
}

bool LevelPlay::Load(const std::string& fileName) {
    // The actors are built aside and handed over only once the level proves usable.
    LevelLoader::Parts parts;
    if (!LevelLoader::Load(fileName, parts)) {
        return false;
    }
    TakeParts(parts);
    return true;
}

void LevelPlay::TakeParts(LevelLoader::Parts& parts) {
    m_name = parts.name;
    m_music = parts.music;
    m_camera = std::move(parts.camera);
    m_player = std::move(parts.player);
    m_background = std::move(parts.background);
    m_enemies = std::move(parts.enemies);
    for (const auto& enemy : m_enemies) {
        m_difficulty.ApplyTo(*enemy);
    }
    if (m_player) {
        m_difficulty.ApplyTo(*m_player);
    }
}

bool LevelPlay::PrepareNext(const std::string& fileName) {
    auto parts = std::make_unique<LevelLoader::Parts>();
    // The loader has reported a level without a player; such a level could never end.
    if (!LevelLoader::Load(fileName, *parts) || !parts->player) {
        return false;
    }
    m_next = std::move(parts);
    m_nextFile = fileName;
    return true;
}

bool LevelPlay::EnterNext(uint32_t start) {
    if (!m_next) {
        return false;
    }
    const int32_t points = m_player ? m_player->GetPoints() : 0;
    const int32_t lives = m_player ? m_player->GetLives() : m_next->player->GetLives();
    TakeParts(*m_next);
    m_next.reset();
    m_file = m_nextFile;
    m_player->m_points = points;
    m_player->m_lives = lives;
    m_projectiles.clear();
    if (m_explosions) {
        m_explosions->m_explosions.clear();
    }
    m_firing = false;
    m_start = start;
    m_time = 0;
    return true;
}

bool LevelPlay::Reload() {
    // Load logs why a file it refuses cannot be played; the level in play then stays.
    const bool loaded = !m_file.empty() && Load(m_file);
    m_next.reset();
    m_projectiles.clear();
    if (m_explosions) {
        m_explosions->m_explosions.clear();
    }
    m_start = 0;
    m_time = static_cast<int32_t>(timeGetTime());
    m_firing = false;
    return loaded;
}

void LevelPlay::Apply(const GameCommand& command) {
    if (!ShipTakesInput()) {
        return;
    }
    ShooterPlayer& ship = *m_player;
    switch (command.kind) {
        case CommandKind::Steer:
            ship.SetVelocity(ship.GetVelocity() + command.step);
            break;
        case CommandKind::Fire:
            m_firing = command.on;
            break;
        case CommandKind::Weapon:
            ship.SetWeaponLevel(command.level);
            break;
        case CommandKind::WeaponStep:
            if ((command.level < 0 && ship.m_weaponLevel > kLowestWeapon) ||
                (command.level > 0 && ship.m_weaponLevel < kHighestWeapon)) {
                ship.SetWeaponLevel(ship.m_weaponLevel + command.level);
            }
            break;
        case CommandKind::Ring:
            ship.FireRing();
            break;
        default:
            break;
    }
}

void LevelPlay::HandleShipDeath() {
    if (!m_player || !m_player->IsDead()) {
        return;
    }
    if (m_explosions) {
        m_explosions->Spawn(m_player->GetPosition());
    }
    m_firing = false;
    m_player->BeginRespawn();
}

bool LevelPlay::ShipTakesInput() const {
    return m_player && !m_player->IsDead();
}

bool LevelPlay::InPlay() const {
    return m_player && m_start != 0;
}

bool LevelPlay::IsGameOver() const {
    return m_player && m_player->IsDead() && m_player->GetLives() == 0 && !m_player->m_respawning;
}

void LevelPlay::AddProjectile(ShooterProjectile* projectile) {
    m_projectiles.emplace_back(projectile);
}

int32_t LevelPlay::GetBestScore() const {
    return m_scores ? m_scores->Best() : 0;
}

void LevelPlay::SetCamera(std::unique_ptr<ShooterCamera> camera) {
    m_camera = std::move(camera);
}

void LevelPlay::SetPlayer(std::unique_ptr<ShooterPlayer> player) {
    m_player = std::move(player);
}

void LevelPlay::SetBackground(std::unique_ptr<ShooterBackground> background) {
    m_background = std::move(background);
}

void LevelPlay::SetExplosions(std::unique_ptr<ShooterExplosionManager> explosions) {
    m_explosions = std::move(explosions);
}

void LevelPlay::ReleaseActors() {
    m_player.reset();
    for (auto& enemy : m_enemies) {
        enemy.reset();
    }
    for (auto& projectile : m_projectiles) {
        projectile.reset();
    }
    m_enemies.clear();
    m_projectiles.clear();
    m_camera.reset();
    m_background.reset();
    m_explosions.reset();
    m_next.reset();
}
