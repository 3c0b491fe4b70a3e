#pragma once
// A boss's phases, read from its "boss" element: each phase is entered once, the first time
// the boss's health falls below its threshold, and names the flight, speed, animation action
// and fire the boss takes on from then. A phase keeps what it does not name from the phase
// before it (the first from the boss as loaded). Thresholds are health points and fall from
// phase to phase.

#include <cstdint>
#include <string>
#include <vector>

#include "game/FirePattern.h"

class TiXmlElement;

class BossPhases {
public:
    struct Phase {
        int32_t below = 0;       // entered once health < below
        int32_t behaviour = 0;   // as ShooterEnemy::ReadBehaviour gives it
        float turnSpeed = 0.0f;  // change of direction y per update
        float speed = 0.0f;      // distance per update
        std::string action;      // animation action; empty keeps the current one
        bool fires = false;      // whether the boss shoots
        int32_t fireDelay = 0;   // ms between volleys
        float shotSpeed = 0.0f;  // distance per update of each shot
        std::string shotSprite;
        FirePattern pattern;
        bool entered = false;
    };

    // Reads the "phase" children of boss; start is the boss as loaded, its "below" the health
    // it starts with. A phase whose "below" is absent, not within 1..start.below-1, or not
    // below the phase before it, is reported (one line) and left out; an unknown behaviour is
    // reported and flies straight.
    void Load(const TiXmlElement* boss, const Phase& start);
    // Marks entered, and returns in order, the phases not yet entered that health is below.
    std::vector<const Phase*> Enter(int32_t health);

    // Scales every phase's threshold, fire delay and shot speed by these multipliers (a
    // difficulty's); a multiplier of exactly 1 leaves its numbers untouched.
    void Scale(float health, float fireDelay, float shotSpeed);
    // value times multiplier, rounded to the nearest whole number.
    static int32_t Scaled(int32_t value, float multiplier);

    const std::vector<Phase>& List() const { return m_phases; }

private:
    // False (reported) when the threshold cannot be used.
    bool CheckThreshold(const TiXmlElement* element, int32_t below, int32_t ceiling) const;
    static void LoadLook(const TiXmlElement* element, Phase& phase);
    static void LoadFire(const TiXmlElement* projectile, Phase& phase);

    std::vector<Phase> m_phases;
};
