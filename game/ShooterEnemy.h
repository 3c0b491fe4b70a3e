#pragma once
// One enemy craft: waits for its spawn time, enters at the right edge of the view, flies
// straight, weaves or curves, animates, fires its pattern at its own rate and takes damage.

#include <cstdint>
#include <string>

#include "game/BossPhases.h"
#include "game/FirePattern.h"
#include "math/BoundingBox.h"
#include "math/Vector2.h"

class CAnimation;
class CSprite;
class TiXmlElement;

class ShooterEnemy {
public:
    // Virtual so that the world may delete any kind of enemy through its pointer.
    virtual ~ShooterEnemy() = default;

    // Reads one "enemy" element; missing items are logged and left at defaults. Returns true.
    virtual bool Load(const TiXmlElement* element);
    // Leaves when past the left edge; while active: behaviour, movement, animation, firing.
    virtual void Update(float& dt);
    // Draws the current frame while active.
    virtual void Render(bool& drawBox);
    virtual void Release() {}

    // The behaviour a "type" names: 1 for "oscillate" and "oscillating", 2 for "curve", 0
    // otherwise; false when the name is none of those nor "normal" or empty (the enemy then
    // flies straight).
    static bool ReadBehaviour(const std::string& type, int32_t& behaviour);
    // True when an enemy not yet in play enters it at this level time (ms since the first
    // update of play): once the level time has passed its spawn time.
    bool IsDue(int32_t levelTime) const { return !m_active && m_spawnTime < levelTime; }

    // Enters play at the right edge of the camera view.
    void Activate();
    // Launches one volley of its fire pattern (one shot to the left by default).
    void Fire();
    // Health below 1 kills; a boss enters each phase its health has now fallen below.
    void TakeDamage(int amount);
    // A boss in play and not yet gone holds the camera still.
    bool HoldsCamera() const { return m_boss && m_active && !m_dead; }
    // Marks the enemy dead and destroyed (explosion and points on removal).
    void Kill();
    // Box from the position and the frame size times the scale; frame size 0 without a sprite.
    void UpdateBox();

    std::string m_name;
    int32_t m_health = 100;
    bool m_dead = false;
    bool m_destroyed = false;
    int32_t m_behaviour = 0;  // 0 normal, 1 oscillate, 2 curve
    float m_turnSpeed = 0.0f;
    bool m_turningUp = true;
    bool m_shoots = false;
    int32_t m_fireDelay = 0;
    uint32_t m_lastShotTime = 0;
    float m_projectileSpeed = 0.0f;
    std::string m_projectileSprite;
    FirePattern m_pattern;
    int32_t m_spawnTime = 0;
    CSprite* m_sprite = nullptr;
    int32_t m_frame = 0;
    CAnimation* m_animation = nullptr;
    std::string m_action;
    bool m_animated = false;
    Vector2 m_position;
    Vector2 m_direction;
    Vector2 m_scale;
    float m_speed = 0.0f;
    uint32_t m_animTime = 0;
    bool m_active = false;
    BoundingBox m_box;
    bool m_boss = false;
    BossPhases m_phases;

private:
    void LoadBehaviour(const TiXmlElement* behaviour);
    void LoadProjectile(const TiXmlElement* projectile);
    // A "boss" child makes the enemy a boss; a boss without "health" is reported.
    void LoadBoss(const TiXmlElement* element);
    // The boss as it is now, as the phase its first phase follows.
    BossPhases::Phase CurrentPhase() const;
    void EnterPhase(const BossPhases::Phase& phase);
    // Turns the direction for the oscillate and curve behaviours.
    void Steer();
    float FrameWidth() const;
    float FrameHeight() const;
};
