#pragma once
// A rectangle given by two corners; all four edges belong to it.

#include "math/Vector2.h"

class Rect {
public:
    Rect() = default;
    Rect(const Vector2& min_, const Vector2& max_) : min(min_), max(max_) {}

    // True when p lies inside or on an edge.
    bool Contains(const Vector2& p) const {
        return min.x <= p.x && max.x >= p.x && min.y <= p.y && max.y >= p.y;
    }

    Vector2 min;
    Vector2 max;
};
