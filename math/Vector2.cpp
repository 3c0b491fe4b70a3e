#include "math/Vector2.h"

#include <cmath>

float Vector2::Length() const {
    return std::sqrt(x * x + y * y);
}

void Vector2::Normalize() {
    const float length = Length();
    if (length > 0.0f) {
        x /= length;
        y /= length;
    }
}
