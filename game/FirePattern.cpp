#include "game/FirePattern.h"

#include <cmath>

#include "core/XmlRead.h"

namespace {

constexpr float kLeft = 180.0f;
constexpr float kFullTurn = 360.0f;
constexpr float kRadiansPerDegree = 3.14159265358979f / 180.0f;

}  // namespace

bool FirePattern::ReadKind(const std::string& name, Kind& kind) {
    if (name == "aimed") {
        kind = Kind::Aimed;
    } else if (name == "fan") {
        kind = Kind::Fan;
    } else if (name == "ring") {
        kind = Kind::Ring;
    } else {
        kind = Kind::Straight;
        return name.empty() || name == "straight";
    }
    return true;
}

void FirePattern::Load(const TiXmlElement* projectile) {
    const char* name = xml::OptionalText(projectile, "pattern");
    if (name && !ReadKind(name, m_kind)) {
        xml::ReportAt(projectile, "ShooterEnemy: Unknown fire pattern \"%s\" in %s\n", name,
                      xml::FileOf(projectile).c_str());
    }
    m_count = m_kind == Kind::Fan ? kFanCount : m_kind == Kind::Ring ? kRingCount : 1;
    m_spread = m_kind == Kind::Fan ? kFanSpread : 0.0f;
    if (m_kind != Kind::Fan && m_kind != Kind::Ring) {
        return;
    }
    int32_t count = m_count;
    if (xml::ReadInt(projectile, "count", count)) {
        if (count < 1) {
            xml::ReportAt(projectile, "ShooterEnemy: Fire pattern count %d below 1 in %s\n", count,
                          xml::FileOf(projectile).c_str());
        } else {
            m_count = count;
        }
    }
    float spread = m_spread;
    if (m_kind == Kind::Fan && xml::ReadFloat(projectile, "spread", spread)) {
        if (spread < 0.0f || spread > kFullTurn) {
            xml::ReportAt(projectile, "ShooterEnemy: Fan spread %g outside 0..360 in %s\n",
                          static_cast<double>(spread), xml::FileOf(projectile).c_str());
        } else {
            m_spread = spread;
        }
    }
}

std::vector<Vector2> FirePattern::Volley(const Vector2& muzzle, bool hasTarget,
                                         const Vector2& target) const {
    std::vector<Vector2> directions;
    switch (m_kind) {
        case Kind::Straight:
            directions.push_back(AtAngle(kLeft));
            break;
        case Kind::Aimed: {
            Vector2 toTarget = target - muzzle;
            if (!hasTarget || (toTarget.x == 0.0f && toTarget.y == 0.0f)) {
                directions.push_back(AtAngle(kLeft));
            } else {
                toTarget.Normalize();
                directions.push_back(toTarget);
            }
            break;
        }
        case Kind::Fan:
            // The first shot is the lowest angle; one shot flies straight.
            for (int32_t i = 0; i < m_count; ++i) {
                const float step = m_count > 1 ? m_spread / static_cast<float>(m_count - 1) : 0.0f;
                const float first = m_count > 1 ? kLeft - m_spread / 2.0f : kLeft;
                directions.push_back(AtAngle(first + step * static_cast<float>(i)));
            }
            break;
        case Kind::Ring:
            // The first shot flies straight to the left, the others follow counter-clockwise.
            for (int32_t i = 0; i < m_count; ++i) {
                directions.push_back(AtAngle(kLeft + kFullTurn * static_cast<float>(i) /
                                                         static_cast<float>(m_count)));
            }
            break;
    }
    return directions;
}

Vector2 FirePattern::AtAngle(float degrees) {
    if (degrees == kLeft) {
        return Vector2(-1.0f, 0.0f);
    }
    const float radians = degrees * kRadiansPerDegree;
    return Vector2(std::cos(radians), std::sin(radians));
}
