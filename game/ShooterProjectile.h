#pragma once
// A shot of the ship or of an enemy: flies straight at a constant speed per update, carries its
// damage and remembers whose it is. Owned by the world's projectile list.

#include <cstdint>
#include <string>

#include "math/BoundingBox.h"
#include "math/Vector2.h"

class CAnimation;
class CSprite;

class ShooterProjectile {
public:
    // Virtual so that the world may delete any kind of projectile through its pointer.
    virtual ~ShooterProjectile() = default;

    // Stores the arguments, normalises the direction (zero stays zero), looks the sprite up by
    // name and computes the box.
    ShooterProjectile(const int& damage, const Vector2& position, const Vector2& direction,
                      const float& speed, const Vector2& scale, const std::string& spriteName,
                      const bool& fromPlayer);

    // Moves by direction x speed, then ages by dt.
    virtual void Update(float& dt);
    // Draws frame 0 turned by acos(direction . (0, 1)) (radians handed to a degrees API, as
    // the game always did) and mirrored when flying left.
    virtual void Render(bool drawBox);
    virtual void Release() {}

    void SetPosition(const Vector2& p);
    // Box from the position and the frame size times the scale; frame size 0 without a sprite.
    void UpdateBox();
    // The drawing rotation, acos(direction . (0, 1)), in radians.
    float GetRotation() const;
    // Shots flying left are drawn mirrored.
    bool IsMirrored() const { return m_direction.x < 0.0f; }

    bool IsFromPlayer() const { return m_fromPlayer; }
    int32_t GetDamage() const { return m_damage; }
    int32_t GetAge() const { return m_age; }
    const Vector2& GetPosition() const { return m_position; }
    const BoundingBox& GetBox() const { return m_box; }
    CSprite* GetSprite() const { return m_sprite; }

    bool m_fromPlayer;
    int32_t m_damage;
    int32_t m_age = 0;
    CSprite* m_sprite = nullptr;
    int32_t m_frame = 0;
    CAnimation* m_animation = nullptr;
    std::string m_action;
    bool m_animated = false;
    Vector2 m_position;
    Vector2 m_direction;
    Vector2 m_scale;
    float m_speed;
    BoundingBox m_box;
};
