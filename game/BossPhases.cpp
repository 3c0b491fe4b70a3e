#include "game/BossPhases.h"

#include <algorithm>
#include <cmath>

#include "core/XmlRead.h"
#include "game/ShooterEnemy.h"

void BossPhases::Load(const TiXmlElement* boss, const Phase& start) {
    m_phases.clear();
    Phase before = start;
    xml::ForEachChild(boss, "phase", [&](const TiXmlElement* element) {
        Phase phase = before;
        phase.entered = false;
        if (!xml::ReadInt(element, "below", phase.below)) {
            xml::ReportAt(element, "ShooterEnemy: Boss phase without \"below\" in %s\n",
                          xml::FileOf(element).c_str());
            return;
        }
        if (!CheckThreshold(element, phase.below, before.below)) {
            return;
        }
        LoadLook(element, phase);
        LoadFire(xml::Child(element, "projectile"), phase);
        m_phases.push_back(phase);
        before = phase;
    });
}

void BossPhases::LoadLook(const TiXmlElement* element, Phase& phase) {
    const char* type = xml::OptionalText(element, "behaviour");
    if (type && !ShooterEnemy::ReadBehaviour(type, phase.behaviour)) {
        xml::ReportAt(element, "ShooterEnemy: Unknown behaviour \"%s\" in %s\n", type,
                      xml::FileOf(element).c_str());
    }
    xml::ReadFloat(element, "turnspeed", phase.turnSpeed);
    xml::ReadFloat(element, "speed", phase.speed);
    if (const char* action = xml::OptionalText(element, "action")) {
        phase.action = action;
    }
}

bool BossPhases::CheckThreshold(const TiXmlElement* element, int32_t below, int32_t ceiling) const {
    if (below >= 1 && below < ceiling) {
        return true;
    }
    const std::string file = xml::FileOf(element);
    if (m_phases.empty()) {
        xml::ReportAt(element, "ShooterEnemy: Boss phase threshold %d outside 1..%d in %s\n", below,
                      ceiling - 1, file.c_str());
    } else {
        xml::ReportAt(element,
                      "ShooterEnemy: Boss phase threshold %d out of order, not below %d in %s\n",
                      below, ceiling, file.c_str());
    }
    return false;
}

void BossPhases::LoadFire(const TiXmlElement* projectile, Phase& phase) {
    if (!projectile) {
        return;
    }
    phase.fires = true;
    xml::ReadInt(projectile, "delay", phase.fireDelay);
    xml::ReadFloat(projectile, "speed", phase.shotSpeed);
    if (const char* sprite = xml::OptionalText(projectile, "sprite")) {
        phase.shotSprite = sprite;
    }
    // The pattern is the projectile's own: straight unless it names another.
    phase.pattern = FirePattern();
    phase.pattern.Load(projectile);
}

std::vector<const BossPhases::Phase*> BossPhases::Enter(int32_t health) {
    std::vector<const Phase*> entered;
    for (Phase& phase : m_phases) {
        if (!phase.entered && health < phase.below) {
            phase.entered = true;
            entered.push_back(&phase);
        }
    }
    return entered;
}

int32_t BossPhases::Scaled(int32_t value, float multiplier) {
    return static_cast<int32_t>(std::lround(static_cast<double>(value) * multiplier));
}

void BossPhases::Scale(float health, float fireDelay, float shotSpeed) {
    for (Phase& phase : m_phases) {
        if (health != 1.0f) {
            phase.below = std::max<int32_t>(1, Scaled(phase.below, health));
        }
        if (fireDelay != 1.0f) {
            phase.fireDelay = Scaled(phase.fireDelay, fireDelay);
        }
        if (shotSpeed != 1.0f) {
            phase.shotSpeed *= shotSpeed;
        }
    }
}
