#pragma once
// One running explosion: where it is drawn and how long it has run.

#include <cstdint>

#include "math/Vector2.h"

class ShooterExplosion {
public:
    Vector2 m_position;
    uint32_t m_time = 0;
};
