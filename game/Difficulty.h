#pragma once
// How hard a game is: multipliers on the enemies' health, the delay between their volleys and
// their shots' speed, and the ships the player starts with. config.xml defines the difficulties
// (<difficulty name="easy" enemyhealth="0.6" firedelay="1.5" shotspeed="0.75" ships="5"/>);
// "normal" is always the level files' own numbers and three ships, defined or not.

#include <cstdint>
#include <string>
#include <vector>

class ShooterEnemy;
class ShooterPlayer;
class TiXmlElement;

class Difficulty {
public:
    static constexpr const char* kNormal = "normal";
    // The ships a game starts with at normal (ShooterPlayer's designed lives).
    static constexpr int32_t kNormalShips = 3;

    // The difficulties config's <difficulty> children define, in document order, with normal
    // first unless the file places it. A value that is not a number above 0 (ships: a whole
    // number of 1 or more) is one reported line and stays at normal's; an element without a
    // name, or with a name already defined, is reported and left out. A <difficulty
    // name="normal"> only places normal in the order: its values are reported and ignored.
    static std::vector<Difficulty> ReadAll(const TiXmlElement* config);
    // The difficulty of that name in list; normal's numbers when there is none.
    static Difficulty Find(const std::vector<Difficulty>& list, const std::string& name);

    // Scales the enemy's health, fire delay and shot speed, and a boss's phases likewise.
    // Nothing is touched at a multiplier of exactly 1.
    void ApplyTo(ShooterEnemy& enemy) const;
    // The ship starts with this difficulty's ships.
    void ApplyTo(ShooterPlayer& ship) const;

    const std::string& Name() const { return m_name; }
    float EnemyHealth() const { return m_enemyHealth; }
    float FireDelay() const { return m_fireDelay; }
    float ShotSpeed() const { return m_shotSpeed; }
    int32_t Ships() const { return m_ships; }
    bool IsNormal() const { return m_name == kNormal; }

private:
    static Difficulty Read(const TiXmlElement* element, const std::string& name);

    std::string m_name = kNormal;
    float m_enemyHealth = 1.0f;
    float m_fireDelay = 1.0f;
    float m_shotSpeed = 1.0f;
    int32_t m_ships = kNormalShips;
};
