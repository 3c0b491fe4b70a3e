#include "game/Difficulty.h"

#include <tinyxml.h>

#include <algorithm>
#include <cmath>

#include "core/XmlRead.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterPlayer.h"

namespace {

const char* const kValues[] = {"enemyhealth", "firedelay", "shotspeed", "ships"};

// A multiplier attribute: absent keeps target; a value that is not a number above 0 is
// reported and keeps it too.
void ReadMultiplier(const TiXmlElement* element, const char* attribute, const std::string& name,
                    float& target) {
    const char* text = xml::OptionalText(element, attribute);
    if (!text) {
        return;
    }
    float value = 0.0f;
    if (!xml::ReadFloat(element, attribute, value) || !(value > 0.0f) || !std::isfinite(value)) {
        xml::ReportAt(element,
                      "CEngine: %s=\"%s\" of <difficulty name=\"%s\"> in %s is not a number "
                      "above 0; normal's 1 is used\n",
                      attribute, text, name.c_str(), xml::FileOf(element).c_str());
        return;
    }
    target = value;
}

}  // namespace

Difficulty Difficulty::Read(const TiXmlElement* element, const std::string& name) {
    Difficulty difficulty;
    difficulty.m_name = name;
    ReadMultiplier(element, "enemyhealth", name, difficulty.m_enemyHealth);
    ReadMultiplier(element, "firedelay", name, difficulty.m_fireDelay);
    ReadMultiplier(element, "shotspeed", name, difficulty.m_shotSpeed);
    if (const char* text = xml::OptionalText(element, "ships")) {
        int ships = 0;
        if (!xml::ReadInt(element, "ships", ships) || ships < 1) {
            xml::ReportAt(element,
                          "CEngine: ships=\"%s\" of <difficulty name=\"%s\"> in %s is not a "
                          "whole number of 1 or more; normal's %d is used\n",
                          text, name.c_str(), xml::FileOf(element).c_str(), kNormalShips);
        } else {
            difficulty.m_ships = ships;
        }
    }
    return difficulty;
}

std::vector<Difficulty> Difficulty::ReadAll(const TiXmlElement* config) {
    std::vector<Difficulty> list;
    bool normalPlaced = false;
    xml::ForEachChild(config, "difficulty", [&](const TiXmlElement* element) {
        const std::string name = xml::RequiredText(element, "name", "CEngine");
        const bool known = std::any_of(list.begin(), list.end(), [&name](const Difficulty& d) {
            return d.m_name == name;
        });
        if (name.empty() || known) {
            if (known) {
                xml::ReportAt(element, "CEngine: <difficulty name=\"%s\"> defined twice in %s\n",
                              name.c_str(), xml::FileOf(element).c_str());
            }
            return;
        }
        if (name == kNormal) {
            normalPlaced = true;
            for (const char* attribute : kValues) {
                if (xml::OptionalText(element, attribute)) {
                    xml::ReportAt(element,
                                  "CEngine: normal is always the levels' own numbers: %s of "
                                  "<difficulty name=\"normal\"> in %s is ignored\n",
                                  attribute, xml::FileOf(element).c_str());
                }
            }
            list.push_back(Difficulty());
            return;
        }
        list.push_back(Read(element, name));
    });
    if (!normalPlaced) {
        list.insert(list.begin(), Difficulty());
    }
    return list;
}

Difficulty Difficulty::Find(const std::vector<Difficulty>& list, const std::string& name) {
    for (const Difficulty& difficulty : list) {
        if (difficulty.m_name == name) {
            return difficulty;
        }
    }
    return Difficulty();
}

void Difficulty::ApplyTo(ShooterEnemy& enemy) const {
    if (m_enemyHealth != 1.0f) {
        // A live enemy stays alive however small the multiplier.
        enemy.m_health = std::max<int32_t>(1, BossPhases::Scaled(enemy.m_health, m_enemyHealth));
    }
    if (m_fireDelay != 1.0f) {
        enemy.m_fireDelay = BossPhases::Scaled(enemy.m_fireDelay, m_fireDelay);
    }
    if (m_shotSpeed != 1.0f) {
        enemy.m_projectileSpeed *= m_shotSpeed;
    }
    enemy.m_phases.Scale(m_enemyHealth, m_fireDelay, m_shotSpeed);
}

void Difficulty::ApplyTo(ShooterPlayer& ship) const {
    if (m_ships != kNormalShips) {
        ship.m_lives = m_ships;
    }
}
