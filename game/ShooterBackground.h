#pragma once
// The level's scenery: back, middle and front layers tiled horizontally and scrolled left at
// their own speeds. The front layer is also the terrain the ship must avoid.

#include <vector>

#include "math/BoundingBox.h"
#include "math/Vector2.h"

class CSprite;
class ShooterCamera;
class TiXmlElement;

class ShooterBackground {
public:
    // Reads the "bg" element and computes the front box; missing items are logged.
    bool Load(const TiXmlElement* element);
    // One scroll step per layer; dt is not used.
    void Update(float& dt);
    // Tiles back, middle and front across the camera view. A layer without a sprite, or
    // whose frame width is 0, is not drawn.
    void Render();

    // The x of every tile of one layer of frame width `width` scrolled by offset, left to
    // right: from width * trunc((cameraX + offset) / width) + offset on, one tile further
    // while x < cameraX + viewWidth + offset. Empty for a width of 0 or less.
    static std::vector<float> TilePositions(float cameraX, float viewWidth, int width,
                                            float offset);

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

private:
    static void RenderLayer(const CSprite* sprite, float offset, float y,
                            const ShooterCamera& camera);
};
