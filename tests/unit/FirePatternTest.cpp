#include "game/FirePattern.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "GameTestSupport.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterProjectile.h"
#include "support/LogCapture.h"

using gametest::LevelFixture;
using gametest::RegisterSprite;
using gametest::XmlSnippet;

namespace {

// Enemies firing on the level part alone: a 32 x 16 ship at (100, 200), a still camera 1024
// wide, so an activated enemy stands at x 1124 with its muzzle at (1050, 216).
class FirePatternTest : public LevelFixture {
protected:
    void SetUp() override {
        gametest::BuildLevel(level, 32, 16);
        sprite = RegisterSprite("patternenemy", 64, 32)->m_name;
        shot = RegisterSprite("patternshot", 6, 6)->m_name;
    }

    // Loads and activates an enemy whose projectile element carries these attributes.
    void Arm(ShooterEnemy& enemy, const std::string& attributes) {
        XmlSnippet xml(
            "<enemy name='e' time='0'><behaviour type='normal'/>"
            "<projectile shoots='yes' sprite='" +
            shot + "' " + attributes +
            "/><position x='100' y='200'/><scale x='1' y='1'/>"
            "<direction x='-1' y='0' speed='0'/><sprite name='" +
            sprite + "'/></enemy>");
        enemy.Load(xml.Root());
        enemy.Activate();
    }

    // Moves the clock on by ms, then updates the enemy once.
    void Wait(ShooterEnemy& enemy, uint32_t ms) {
        clock.Advance(ms);
        float dt = static_cast<float>(ms);
        enemy.Update(dt);
    }

    // The flight angles of the shots, in degrees in [0, 360), in the order fired.
    std::vector<float> Angles() const {
        std::vector<float> angles;
        for (const auto& projectile : level.ProjectileList()) {
            const Vector2& d = projectile->m_direction;
            float degrees = std::atan2(d.y, d.x) * 180.0f / 3.14159265358979f;
            angles.push_back(degrees < -0.001f ? degrees + 360.0f : degrees);
        }
        return angles;
    }

    std::string sprite;
    std::string shot;
};

void ExpectAngles(const std::vector<float>& actual, const std::vector<float>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(actual[i], expected[i], 0.01f) << "shot " << i;
    }
}

}  // namespace

TEST_F(FirePatternTest, AimedShotFliesAtTheShipsCentre) {
    ShooterEnemy enemy;
    Arm(enemy, "pattern='aimed' delay='500' speed='9'");
    Wait(enemy, 31);
    ASSERT_EQ(level.ProjectileList().size(), 1u);
    const ShooterProjectile& aimed = *level.ProjectileList()[0];
    EXPECT_EQ(aimed.GetPosition().x, 1050.0f);
    EXPECT_EQ(aimed.GetPosition().y, 216.0f);
    EXPECT_EQ(aimed.m_speed, 9.0f);
    // From (1050, 216) to the ship's centre (116, 208).
    const float length = std::sqrt(934.0f * 934.0f + 8.0f * 8.0f);
    EXPECT_NEAR(aimed.m_direction.x, -934.0f / length, 1e-5f);
    EXPECT_NEAR(aimed.m_direction.y, -8.0f / length, 1e-5f);
}

TEST_F(FirePatternTest, FanSpreadsItsShotsEvenlyAboutTheLeft) {
    ShooterEnemy enemy;
    Arm(enemy, "pattern='fan' count='3' spread='60' delay='500' speed='4'");
    Wait(enemy, 31);
    ExpectAngles(Angles(), {150.0f, 180.0f, 210.0f});
    for (const auto& projectile : level.ProjectileList()) {
        EXPECT_EQ(projectile->m_speed, 4.0f);
        EXPECT_FALSE(projectile->IsFromPlayer());
    }
}

TEST_F(FirePatternTest, RingGoesAllTheWayRoundFromTheLeft) {
    ShooterEnemy enemy;
    Arm(enemy, "pattern='ring' count='4' delay='500' speed='4'");
    Wait(enemy, 31);
    ExpectAngles(Angles(), {180.0f, 270.0f, 0.0f, 90.0f});
}

TEST_F(FirePatternTest, AVolleyFiresAtOnceThenOnlyAfterTheInterval) {
    ShooterEnemy enemy;
    Arm(enemy, "pattern='fan' count='5' spread='40' delay='400' speed='4'");
    Wait(enemy, 31);
    EXPECT_EQ(level.ProjectileList().size(), 5u);
    Wait(enemy, 400);
    EXPECT_EQ(level.ProjectileList().size(), 5u);
    Wait(enemy, 1);
    ExpectAngles(Angles(),
                 {160.0f, 170.0f, 180.0f, 190.0f, 200.0f, 160.0f, 170.0f, 180.0f, 190.0f, 200.0f});
}

TEST_F(FirePatternTest, WithoutAPatternTheShotIsTheDesignedStraightOne) {
    ShooterEnemy enemy;
    Arm(enemy, "delay='500' speed='7' count='6'");
    Wait(enemy, 31);
    ASSERT_EQ(level.ProjectileList().size(), 1u);
    EXPECT_EQ(level.ProjectileList()[0]->m_direction.x, -1.0f);
    EXPECT_EQ(level.ProjectileList()[0]->m_direction.y, 0.0f);
}

TEST_F(FirePatternTest, BadPatternDataIsOneLineEachAndTheEnemyStillFires) {
    LogCapture log;
    ShooterEnemy spiral;
    Arm(spiral, "pattern='spiral' delay='500' speed='4'");
    EXPECT_TRUE(log.Contains("ShooterEnemy: Unknown fire pattern \"spiral\""));
    ShooterEnemy ring;
    Arm(ring, "pattern='ring' count='0' delay='500' speed='4'");
    EXPECT_TRUE(log.Contains("ShooterEnemy: Fire pattern count 0 below 1"));
    ShooterEnemy fan;
    Arm(fan, "pattern='fan' spread='400' delay='500' speed='4'");
    EXPECT_TRUE(log.Contains("ShooterEnemy: Fan spread 400 outside 0..360"));
    const std::string text = log.Text();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    Wait(spiral, 31);
    Wait(ring, 0);
    Wait(fan, 0);
    ExpectAngles(Angles(), {180.0f, 180.0f, 225.0f, 270.0f, 315.0f, 0.0f, 45.0f, 90.0f, 135.0f,
                            165.0f, 180.0f, 195.0f});
}
