// The difficulties config.xml defines: their multipliers scale an enemy and the ship's ships
// when a level is loaded, normal leaves the level's numbers exactly as the file gives them,
// and a value that cannot be used is one log line and stays at normal's.

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <string>
#include <vector>

#include "core/XmlRead.h"
#include "game/Difficulty.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterPlayer.h"
#include "support/LogCapture.h"

namespace {

std::vector<Difficulty> Read(const std::string& config) {
    TiXmlDocument document("config.xml");
    EXPECT_TRUE(xml::ParseText(document, config));
    return Difficulty::ReadAll(document.FirstChildElement("config"));
}

// An enemy as a level file gives it, with a boss phase: health 97, a volley every 333 ms at a
// speed of 2.3, the phase below 41 firing every 250 ms at 3.1.
ShooterEnemy BossEnemy() {
    TiXmlDocument document("level.xml");
    EXPECT_TRUE(xml::ParseText(document,
                               "<enemy name=\"b\" health=\"97\"><behaviour type=\"normal\"/>"
                               "<projectile shoots=\"yes\" delay=\"333\" speed=\"2.3\"/>"
                               "<boss><phase below=\"41\"><projectile delay=\"250\" speed=\"3.1\"/>"
                               "</phase></boss></enemy>"));
    ShooterEnemy enemy;
    enemy.Load(document.FirstChildElement("enemy"));
    return enemy;
}

const char kConfig[] =
    "<config><difficulty name=\"easy\" enemyhealth=\"0.6\" firedelay=\"1.5\" shotspeed=\"0.75\" "
    "ships=\"5\"/><difficulty name=\"hard\" enemyhealth=\"1.5\" firedelay=\"0.5\" shotspeed=\"2\" "
    "ships=\"2\"/></config>";

TEST(DifficultyTest, HardMultipliesHealthFireIntervalShotSpeedAndShipsAsDefined) {
    const std::vector<Difficulty> list = Read(kConfig);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].Name(), "normal") << "normal comes first when the file does not place it";
    ShooterEnemy enemy = BossEnemy();
    ShooterPlayer ship;
    const Difficulty hard = Difficulty::Find(list, "hard");
    hard.ApplyTo(enemy);
    hard.ApplyTo(ship);
    EXPECT_EQ(enemy.m_health, 146);  // 97 * 1.5 = 145.5, rounded
    EXPECT_EQ(enemy.m_fireDelay, 167);
    EXPECT_FLOAT_EQ(enemy.m_projectileSpeed, 4.6f);
    ASSERT_EQ(enemy.m_phases.List().size(), 1u);
    EXPECT_EQ(enemy.m_phases.List()[0].below, 62);  // the phase comes at the same share of health
    EXPECT_EQ(enemy.m_phases.List()[0].fireDelay, 125);
    EXPECT_FLOAT_EQ(enemy.m_phases.List()[0].shotSpeed, 6.2f);
    EXPECT_EQ(ship.GetLives(), 2);
    ShooterPlayer easyShip;
    Difficulty::Find(list, "easy").ApplyTo(easyShip);
    EXPECT_EQ(easyShip.GetLives(), 5);
}

TEST(DifficultyTest, NormalLeavesEveryNumberExactlyAsTheLevelGivesIt) {
    const ShooterEnemy designed = BossEnemy();
    ShooterEnemy enemy = BossEnemy();
    ShooterPlayer ship;
    // Defined in the file with other numbers, normal is still the designed game.
    const std::vector<Difficulty> list =
        Read("<config><difficulty name=\"normal\" enemyhealth=\"3\" ships=\"9\"/></config>");
    ASSERT_EQ(list.size(), 1u);
    list[0].ApplyTo(enemy);
    list[0].ApplyTo(ship);
    EXPECT_EQ(enemy.m_health, designed.m_health);
    EXPECT_EQ(enemy.m_fireDelay, designed.m_fireDelay);
    EXPECT_EQ(enemy.m_projectileSpeed, designed.m_projectileSpeed);  // bit for bit
    EXPECT_EQ(enemy.m_phases.List()[0].below, 41);
    EXPECT_EQ(enemy.m_phases.List()[0].shotSpeed, designed.m_phases.List()[0].shotSpeed);
    EXPECT_EQ(ship.GetLives(), Difficulty::kNormalShips);
    // Without any <difficulty> only normal exists; an unknown name plays normal.
    EXPECT_EQ(Read("<config/>").size(), 1u);
    EXPECT_TRUE(Difficulty::Find(Read(kConfig), "nightmare").IsNormal());
}

TEST(DifficultyTest, ValueThatCannotBeUsedIsOneLogLineAndStaysAtNormals) {
    LogCapture log;
    const std::vector<Difficulty> list =
        Read("<config><difficulty name=\"odd\" enemyhealth=\"lots\" firedelay=\"-1\" "
             "shotspeed=\"2\" ships=\"0\"/></config>");
    const Difficulty odd = Difficulty::Find(list, "odd");
    EXPECT_EQ(odd.Name(), "odd");
    EXPECT_EQ(odd.EnemyHealth(), 1.0f);
    EXPECT_EQ(odd.FireDelay(), 1.0f);
    EXPECT_EQ(odd.ShotSpeed(), 2.0f) << "the usable value is still taken";
    EXPECT_EQ(odd.Ships(), Difficulty::kNormalShips);
    const std::string text = log.Text();
    EXPECT_NE(text.find("enemyhealth=\"lots\" of <difficulty name=\"odd\"> in config.xml"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("firedelay=\"-1\""), std::string::npos) << text;
    EXPECT_NE(text.find("ships=\"0\""), std::string::npos) << text;
    size_t lines = 0;
    for (char c : text) {
        lines += c == '\n';
    }
    EXPECT_EQ(lines, 3u) << text;
}

}  // namespace
