#pragma once
// An actor's box in world units: left, right, bottom, top.

class BoundingBox {
public:
    BoundingBox() = default;
    BoundingBox(float left_, float right_, float bottom_, float top_)
        : left(left_), right(right_), bottom(bottom_), top(top_) {}

    // True when the boxes share any point; touching edges and corners overlap.
    bool Overlaps(const BoundingBox& other) const {
        return left <= other.right && right >= other.left && top >= other.bottom &&
               bottom <= other.top;
    }

    float left = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
    float top = 0.0f;
};
