#pragma once
// The ship the player steers: health, lives and score; dies when its health runs out, comes
// back invulnerable at its start position after a delay; fires four weapon patterns and a ring.

#include <cstdint>
#include <string>

#include "math/BoundingBox.h"
#include "math/Vector2.h"

class CAnimation;
class CSprite;
class TiXmlElement;

class ShooterPlayer {
public:
    // Reads the "player" element of the level; missing items are logged and left at defaults.
    bool Load(const TiXmlElement* element);
    // Respawn countdown, invulnerability, movement with clamping to the view, animation.
    void Update(float& dt);
    // The ship with its trail, or blinking while invulnerable; nothing while dead.
    void Render(bool drawBox);
    // Spawns the current weapon pattern; nothing while dead.
    void Fire();
    // Spawns the ring of 25 shots; nothing while dead.
    void FireRing();
    // Ignored while invulnerable or dead; health below 1 calls Die().
    void TakeDamage(int amount);
    // Loses a life (or raises no-more-lives) by queueing the death event; marks the ship dead.
    void Die();
    // Starts the respawn countdown.
    void BeginRespawn();
    void AddPoints(int amount) { m_points += amount; }

    void SetPosition(const Vector2& p);
    // Box from the position and the frame size times the scale; frame size 0 without a sprite.
    void UpdateBox();
    // While invulnerable the ship is drawn only when this holds: (timer mod 500) mod 2 != 0.
    bool IsBlinkVisible() const;
    const Vector2& GetVelocity() const { return m_velocity; }
    void SetVelocity(const Vector2& v) { m_velocity = v; }
    void SetWeaponLevel(const int& level) { m_weaponLevel = level; }

    bool IsDead() const { return m_dead; }
    const Vector2& GetPosition() const { return m_position; }
    const BoundingBox& GetBox() const { return m_box; }
    CSprite* GetSprite() const { return m_sprite; }
    int32_t GetHealth() const { return m_health; }
    int32_t GetLives() const { return m_lives; }
    int32_t GetPoints() const { return m_points; }

    bool m_invulnerable = false;
    bool m_dead = false;
    bool m_respawning = false;
    int32_t m_health = 100;
    int32_t m_lives = 3;
    int32_t m_points = 0;
    int32_t m_invulnerableTime = 3000;
    int32_t m_invulnerableTimer = 0;
    int32_t m_animTime = 0;
    int32_t m_respawnTimer = 0;
    int32_t m_respawnTime = 3000;
    int32_t m_weaponLevel = 0;
    std::string m_projectileSprite;
    float m_projectileSpeed = 0.0f;
    CSprite* m_sprite = nullptr;
    int32_t m_frame = 0;
    CAnimation* m_animation = nullptr;
    std::string m_action;
    bool m_animated = false;
    Vector2 m_position;
    Vector2 m_startPosition;
    Vector2 m_velocity;
    Vector2 m_scale;
    BoundingBox m_box;

private:
    // Back at the start position: alive, invulnerable, full health, standing still.
    void Respawn();
    // Keeps the whole scaled ship inside the camera's view (1024 x 512 without a camera).
    void ClampToView();
    void DrawShip() const;
    // Creates one shot at `at`; side +1/-1 moves it up/down by (shot frame height / divisor).
    void Shoot(const Vector2& at, const Vector2& direction, int side, double divisor);
    float FrameWidth() const;
    float FrameHeight() const;
};
