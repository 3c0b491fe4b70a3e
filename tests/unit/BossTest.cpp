#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "GameTestSupport.h"
#include "game/ShooterEnemy.h"
#include "gui/CGUIMeterWidget.h"
#include "support/LogCapture.h"

using gametest::LevelFixture;
using gametest::RegisterSprite;
using gametest::XmlSnippet;

namespace {

// Bosses on the level part alone: the camera moves 2 to the right per update.
class BossTest : public LevelFixture {
protected:
    void SetUp() override {
        gametest::BuildLevel(level, 32, 16);
        level.Camera()->m_velocity = Vector2(2.0f, 0.0f);
        sprite = RegisterSprite("boss", 64, 32)->m_name;
    }

    // Loads an enemy with the given attributes and "boss" element into the level.
    ShooterEnemy& AddBoss(const std::string& attributes, const std::string& boss) {
        XmlSnippet xml("<enemy name='b' " + attributes +
                       "><behaviour type='normal'/><projectile shoots='no'/>"
                       "<position x='-200' y='300'/><scale x='1' y='1'/>"
                       "<direction x='-1' y='0' speed='0'/><sprite name='" +
                       sprite + "'/>" + boss + "</enemy>");
        auto enemy = std::make_unique<ShooterEnemy>();
        enemy->Load(xml.Root());
        level.EnemyList().push_back(std::move(enemy));
        return *level.EnemyList().back();
    }

    const std::string kTwoPhases =
        "<boss><phase below='200' speed='5' action='rage'>"
        "<projectile delay='700' speed='6' pattern='ring' count='4'/></phase>"
        "<phase below='100' behaviour='curve' turnspeed='0.5'/></boss>";
    std::string sprite;
};

}  // namespace

TEST_F(BossTest, EachPhaseIsEnteredOnceWhenHealthFallsBelowItsThreshold) {
    ShooterEnemy& boss = AddBoss("time='0' health='300'", kTwoPhases);
    ASSERT_TRUE(boss.m_boss);
    boss.TakeDamage(100);  // 200: not below the first threshold
    EXPECT_EQ(boss.m_speed, 0.0f);
    EXPECT_FALSE(boss.m_shoots);
    boss.TakeDamage(1);  // 199: the first phase
    EXPECT_EQ(boss.m_speed, 5.0f);
    EXPECT_EQ(boss.m_action, "rage");
    EXPECT_TRUE(boss.m_shoots);
    EXPECT_EQ(boss.m_fireDelay, 700);
    EXPECT_EQ(boss.m_projectileSpeed, 6.0f);
    EXPECT_EQ(boss.m_pattern.m_kind, FirePattern::Kind::Ring);
    EXPECT_EQ(boss.m_pattern.m_count, 4);
    boss.m_speed = 1.0f;
    boss.TakeDamage(1);  // 198: the first phase is not entered again
    EXPECT_EQ(boss.m_speed, 1.0f);
    boss.TakeDamage(98);  // 100
    EXPECT_EQ(boss.m_behaviour, 0);
    boss.TakeDamage(1);  // 99: the second phase keeps what it does not name from the first
    EXPECT_EQ(boss.m_behaviour, 2);
    EXPECT_EQ(boss.m_turnSpeed, 0.5f);
    EXPECT_EQ(boss.m_speed, 5.0f);
    EXPECT_EQ(boss.m_pattern.m_kind, FirePattern::Kind::Ring);
    EXPECT_FALSE(boss.m_dead);

    ShooterEnemy& struck = AddBoss("time='0' health='300'", kTwoPhases);
    struck.TakeDamage(250);  // past both thresholds at once: both, in order
    EXPECT_EQ(struck.m_behaviour, 2);
    EXPECT_EQ(struck.m_speed, 5.0f);
    EXPECT_EQ(struck.m_fireDelay, 700);
}

TEST_F(BossTest, TheCameraHoldsWhileTheBossLivesAndMovesOnAfter) {
    ShooterEnemy& boss = AddBoss("time='100' health='300'", kTwoPhases);
    Step();
    const float before = level.Camera()->GetPosition().x;
    EXPECT_GT(before, 0.0f);
    while (!boss.m_active) {
        Step();
    }
    const float held = level.Camera()->GetPosition().x;
    for (int i = 0; i < 5; ++i) {
        Step();
    }
    EXPECT_EQ(level.Camera()->GetPosition().x, held);
    EXPECT_EQ(outcome.cleared, 0);
    boss.TakeDamage(300);
    Step();
    EXPECT_EQ(level.Camera()->GetPosition().x, held + 2.0f);
    EXPECT_TRUE(level.EnemyList().empty());
    Step();
    EXPECT_EQ(outcome.cleared, 1);
    EXPECT_EQ(level.Camera()->GetPosition().x, held + 4.0f);
}

TEST_F(BossTest, AnOrdinaryEnemyDoesNotHoldTheCamera) {
    ShooterEnemy& enemy = AddBoss("time='0' health='300'", "");
    EXPECT_FALSE(enemy.m_boss);
    Step();
    Step();
    ASSERT_TRUE(enemy.m_active);
    const float x = level.Camera()->GetPosition().x;
    Step();
    EXPECT_EQ(level.Camera()->GetPosition().x, x + 2.0f);
}

TEST_F(BossTest, BadBossDataIsOneLineEachAndTheGoodPhasesPlay) {
    LogCapture log;
    ShooterEnemy& boss = AddBoss("time='0'",
                                 "<boss><phase below='150'/><phase below='60'/>"
                                 "<phase below='80'/><phase below='30' behaviour='spin'/></boss>");
    EXPECT_TRUE(log.Contains("ShooterEnemy: Boss \"b\" without health"));
    EXPECT_TRUE(log.Contains("ShooterEnemy: Boss phase threshold 150 outside 1..99"));
    EXPECT_TRUE(log.Contains("ShooterEnemy: Boss phase threshold 80 out of order, not below 60"));
    EXPECT_TRUE(log.Contains("ShooterEnemy: Unknown behaviour \"spin\""));
    const std::string text = log.Text();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
    ASSERT_EQ(boss.m_phases.List().size(), 2u);
    EXPECT_EQ(boss.m_phases.List()[0].below, 60);
    EXPECT_EQ(boss.m_phases.List()[1].below, 30);
    boss.m_behaviour = 1;
    boss.TakeDamage(80);  // 20: both good phases; the unknown behaviour flies straight
    EXPECT_EQ(boss.m_behaviour, 0);
    EXPECT_FALSE(boss.m_dead);
}

TEST_F(BossTest, TheBossMeterShowsTheBossHealthOnlyWhileTheBossIsInPlay) {
    XmlSnippet xml("<widget type='meter' name='bossbar' target='boss' ratio='10'/>");
    CGUIMeterWidget meter;
    meter.Load(xml.Root());
    ShooterEnemy& boss = AddBoss("time='100' health='300'", kTwoPhases);
    int32_t value = -1;
    Step();
    EXPECT_FALSE(meter.ReadValue(value));
    while (!boss.m_active) {
        Step();
    }
    ASSERT_TRUE(meter.ReadValue(value));
    EXPECT_EQ(value, 300);
    boss.TakeDamage(120);
    ASSERT_TRUE(meter.ReadValue(value));
    EXPECT_EQ(meter.IconCount(value), 18);
    boss.Kill();
    EXPECT_FALSE(meter.ReadValue(value));
}
