#pragma once
// Plays the one configured explosion animation wherever an enemy or the ship was destroyed.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/ShooterExplosion.h"

class CAnimation;
class CSprite;
class TiXmlHandle;

class ShooterExplosionManager {
public:
    // Reads "sprite", "anim" and "action" of the "explosioncfg" element; a missing element or
    // unknown resource is logged and leaves the manager without explosions. Returns true.
    bool Load(const TiXmlHandle& handle);
    // Starts one explosion at position; nothing without a sprite, an animation and a duration.
    void Spawn(const Vector2& position);
    // Removes explosions at or past the duration, then advances the others by dt.
    void Update(float& dt);
    // Draws each explosion's current frame.
    void Render(bool& drawBox);

    std::vector<std::unique_ptr<ShooterExplosion>> m_explosions;
    uint32_t m_duration = 0;
    CSprite* m_sprite = nullptr;
    CAnimation* m_animation = nullptr;
    std::string m_action;
};
