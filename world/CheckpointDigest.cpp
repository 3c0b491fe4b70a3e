#include "world/CheckpointDigest.h"

#include <cstring>

#include "game/ShooterCamera.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"
#include "game/ShooterProjectile.h"
#include "world/LevelPlay.h"

namespace {

// FNV-1a over the bytes of each value mixed in.
class Mixer {
public:
    void Add(const void* data, size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) {
            m_hash = (m_hash ^ bytes[i]) * 1099511628211ull;
        }
    }
    void Add(int32_t value) { Add(&value, sizeof value); }
    void Add(float value) { Add(&value, sizeof value); }
    void Add(const Vector2& value) {
        Add(value.x);
        Add(value.y);
    }
    uint64_t Hash() const { return m_hash; }

private:
    uint64_t m_hash = 14695981039346656037ull;
};

void AddShip(Mixer& mix, const ShooterPlayer& ship, WorldDigest& digest) {
    digest.shipX = ship.GetPosition().x;
    digest.shipY = ship.GetPosition().y;
    digest.health = ship.GetHealth();
    digest.lives = ship.GetLives();
    digest.points = ship.GetPoints();
    mix.Add(ship.GetPosition());
    mix.Add(ship.GetVelocity());
    mix.Add(ship.m_health);
    mix.Add(ship.m_lives);
    mix.Add(ship.m_points);
    mix.Add(ship.m_weaponLevel);
    mix.Add(ship.m_invulnerableTimer);
    mix.Add(ship.m_respawnTimer);
    mix.Add(static_cast<int32_t>(ship.m_dead));
}

template <typename T>
void Field(std::string& out, const char* name, const T& recorded, const T& now) {
    if (std::memcmp(&recorded, &now, sizeof(T)) == 0) {
        return;
    }
    if (!out.empty()) {
        out += ", ";
    }
    out += std::string(name) + " " + std::to_string(now) + " (recorded " +
           std::to_string(recorded) + ")";
}

}  // namespace

WorldDigest CheckpointDigest::Of(const LevelPlay& level) {
    WorldDigest digest;
    Mixer mix;
    mix.Add(level.Time());
    if (level.Camera()) {
        mix.Add(level.Camera()->GetPosition());
    }
    if (level.Player()) {
        AddShip(mix, *level.Player(), digest);
    }
    for (const auto& enemy : level.EnemyList()) {
        if (enemy) {
            ++digest.enemies;
            mix.Add(enemy->m_position);
            mix.Add(enemy->m_health);
        }
    }
    for (const auto& shot : level.ProjectileList()) {
        if (shot) {
            ++digest.shots;
            mix.Add(shot->m_position);
            mix.Add(shot->GetAge());
        }
    }
    if (level.Explosions()) {
        digest.explosions = static_cast<uint32_t>(level.Explosions()->m_explosions.size());
    }
    digest.hash = mix.Hash();
    return digest;
}

std::string CheckpointDigest::Differences(const WorldDigest& recorded, const WorldDigest& now) {
    std::string out;
    Field(out, "ship x", recorded.shipX, now.shipX);
    Field(out, "ship y", recorded.shipY, now.shipY);
    Field(out, "health", recorded.health, now.health);
    Field(out, "lives", recorded.lives, now.lives);
    Field(out, "score", recorded.points, now.points);
    Field(out, "enemies", recorded.enemies, now.enemies);
    Field(out, "shots", recorded.shots, now.shots);
    Field(out, "explosions", recorded.explosions, now.explosions);
    if (out.empty() && recorded.hash != now.hash) {
        out = "the positions or health of the actors";
    }
    return out;
}
