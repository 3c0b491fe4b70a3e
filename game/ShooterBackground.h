#pragma once
// The level's scenery: back, middle and front layers tiled horizontally and scrolled left at
// their own speeds. The front layer is also the terrain the ship must avoid.

#include "game/BoundingBox.h"
#include "game/Vector2.h"

class CSprite;
class TiXmlElement;

class ShooterBackground {
public:
    // Reads the "bg" element and computes the front box; missing items are logged.
    bool Load(const TiXmlElement* element);
    // One scroll step per layer; dt is not used.
    void Update(float& dt);
    // Tiles back, middle and front across the camera view.
    void Render();

    BoundingBox GetFrontBox() const { return m_frontBox; }
    CSprite* GetFrontSprite() const { return m_frontSprite; }
    const Vector2& GetPosition() const { return m_position; }

    CSprite* m_frontSprite = nullptr;
    CSprite* m_middleSprite = nullptr;
    CSprite* m_backSprite = nullptr;
    float m_frontSpeed = 0.0f;
    float m_frontOffset = 0.0f;
    float m_backSpeed = 0.0f;
    float m_middleSpeed = 0.0f;
    float m_backOffset = 0.0f;
    float m_middleOffset = 0.0f;
    Vector2 m_position;
    BoundingBox m_frontBox;
};
