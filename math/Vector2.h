#pragma once
// Two 32-bit floats: positions, sizes, velocities and scales in pixels, y upwards.

class Vector2 {
public:
    Vector2() = default;
    Vector2(float x_, float y_) : x(x_), y(y_) {}

    Vector2 operator+(const Vector2& o) const { return Vector2(x + o.x, y + o.y); }
    Vector2 operator-(const Vector2& o) const { return Vector2(x - o.x, y - o.y); }
    Vector2& operator+=(const Vector2& o) {
        x += o.x;
        y += o.y;
        return *this;
    }
    Vector2& operator-=(const Vector2& o) {
        x -= o.x;
        y -= o.y;
        return *this;
    }
    Vector2 operator*(float s) const { return Vector2(x * s, y * s); }
    // Multiplies by the float reciprocal of s; s = 0 is not guarded against.
    Vector2 operator/(float s) const {
        const float inverse = 1.0f / s;
        return Vector2(x * inverse, y * inverse);
    }

    float Length() const;
    // Divides by the length when it is greater than 0; a zero vector stays zero.
    void Normalize();
    static float Dot(const Vector2& a, const Vector2& b) { return a.x * b.x + a.y * b.y; }

    float x = 0.0f;
    float y = 0.0f;
};
