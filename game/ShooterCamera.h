#pragma once
// The level's view: a rectangle (lower-left corner and size) moving at a constant velocity per
// world update. The whole scene is drawn translated by its position.

#include "math/Vector2.h"

class TiXmlElement;

class ShooterCamera {
public:
    // Reads "position", "velocity" and "size" (float "x", "y"); missing parts are logged, left 0.
    void Load(const TiXmlElement* element);
    // One step of the velocity; dt is not used.
    void Update(float& dt);
    // Translates the model-view matrix by -position.
    void ApplyView() const;

    const Vector2& GetPosition() const { return m_position; }
    const Vector2& GetSize() const { return m_size; }

    Vector2 m_position;
    Vector2 m_velocity;
    Vector2 m_size;
};
