#pragma once
// How an enemy's volley spreads: one straight shot to the left (the designed default), one
// shot aimed at the ship, a fan of shots over an angle centred on the left, or a ring of shots
// evenly around the enemy. Angles are in degrees, counter-clockwise from +x with y up, so
// 180 is straight to the left.

#include <cstdint>
#include <string>
#include <vector>

#include "math/Vector2.h"

class TiXmlElement;

class FirePattern {
public:
    enum class Kind { Straight, Aimed, Fan, Ring };

    // Shots in a fan when "count" is absent, and the angle they cover.
    static constexpr int32_t kFanCount = 3;
    static constexpr float kFanSpread = 30.0f;
    // Shots in a ring when "count" is absent.
    static constexpr int32_t kRingCount = 8;

    // The kind a "pattern" attribute names: "straight" (or empty), "aimed", "fan" or "ring";
    // false for any other name, and kind is then Straight.
    static bool ReadKind(const std::string& name, Kind& kind);

    // Reads "pattern", "count" and "spread" from a "projectile" element. An unknown pattern,
    // a count below 1 or a spread outside 0..360 is reported as a data problem, one line each,
    // and the default is kept (a straight shot, the kind's count, the fan's spread).
    void Load(const TiXmlElement* projectile);

    // The unit directions of one volley fired from muzzle. hasTarget tells whether target (the
    // ship's centre) exists; an aimed shot without a target, or with the target exactly on the
    // muzzle, flies straight.
    std::vector<Vector2> Volley(const Vector2& muzzle, bool hasTarget, const Vector2& target) const;

    Kind m_kind = Kind::Straight;
    int32_t m_count = 1;
    float m_spread = 0.0f;

private:
    static Vector2 AtAngle(float degrees);
};
