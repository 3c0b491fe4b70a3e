#include "game/ShooterEnemy.h"

#include <gtest/gtest.h>

#include "GameTestSupport.h"
#include "game/ShooterProjectile.h"
#include "resources/CAnimation.h"
#include "resources/CAnimationManager.h"
#include "support/LogCapture.h"

using gametest::RegisterSprite;
using gametest::WorldFixture;
using gametest::XmlSnippet;

namespace {

class EnemyTest : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        MakeLevel();
        sprite = RegisterSprite("enemy", 64, 32)->m_name;
        shot = RegisterSprite("enemyshot", 6, 6)->m_name;
    }

    // An enemy element with the given behaviour, projectile and extra attributes.
    std::string Element(const std::string& behaviour, const std::string& projectile,
                        const std::string& attributes = "") const {
        return "<enemy name='e' time='500' " + attributes + ">" + behaviour + projectile +
               "<position x='100' y='200'/><scale x='1' y='1'/>"
               "<direction x='-1' y='0' speed='3'/><sprite name='" +
               sprite + "' frame='1'/></enemy>";
    }

    void Load(ShooterEnemy& enemy, const std::string& text) {
        XmlSnippet xml(text);
        EXPECT_TRUE(enemy.Load(xml.Root()));
    }

    void Update(ShooterEnemy& enemy, int n = 1) {
        for (int i = 0; i < n; ++i) {
            float dt = 31.0f;
            enemy.Update(dt);
        }
    }

    const std::string kNormal = "<behaviour type='normal'/>";
    const std::string kSilent = "<projectile shoots='no'/>";
    std::string sprite;
    std::string shot;
};

}  // namespace

TEST_F(EnemyTest, LoadsItsElementWithDefaults) {
    ShooterEnemy enemy;
    Load(enemy, Element(kNormal, kSilent));
    EXPECT_EQ(enemy.m_name, "e");
    EXPECT_EQ(enemy.m_spawnTime, 500);
    EXPECT_EQ(enemy.m_health, 100);
    EXPECT_EQ(enemy.m_behaviour, 0);
    EXPECT_FALSE(enemy.m_shoots);
    EXPECT_EQ(enemy.m_position.x, 100.0f);
    EXPECT_EQ(enemy.m_direction.x, -1.0f);
    EXPECT_EQ(enemy.m_speed, 3.0f);
    EXPECT_EQ(enemy.m_frame, 1);
    EXPECT_EQ(enemy.m_box.right, 164.0f);
    EXPECT_FALSE(enemy.m_active);
}

TEST_F(EnemyTest, FiveHitsOfTwentyKillAHundredHealthEnemy) {
    ShooterEnemy enemy;
    Load(enemy, Element(kNormal, kSilent));
    for (int i = 0; i < 4; ++i) {
        enemy.TakeDamage(20);
        EXPECT_FALSE(enemy.m_dead);
    }
    enemy.TakeDamage(20);
    EXPECT_TRUE(enemy.m_dead);
    EXPECT_TRUE(enemy.m_destroyed);
}

TEST_F(EnemyTest, BehaviourNamesSelectTheMovement) {
    const std::pair<const char*, int> cases[] = {
        {"", 0}, {"normal", 0}, {"oscillate", 1}, {"oscillating", 1}, {"curve", 2}, {"zigzag", 0}};
    for (const auto& c : cases) {
        ShooterEnemy enemy;
        LogCapture log;
        Load(enemy,
             Element(std::string("<behaviour type='") + c.first + "' turnspeed='0.5'/>", kSilent));
        EXPECT_EQ(enemy.m_behaviour, c.second) << c.first;
        // Only the name the game does not know is reported, once, and the enemy flies straight.
        EXPECT_EQ(log.Text().find("Unknown behaviour") != std::string::npos,
                  std::string(c.first) == "zigzag")
            << log.Text();
        EXPECT_EQ(enemy.m_turnSpeed, c.second == 0 ? 0.0f : 0.5f) << c.first;
    }
}

TEST_F(EnemyTest, ProjectileValuesAreReadOnlyForShootingEnemies) {
    ShooterEnemy silent;
    Load(silent, Element(kNormal, "<projectile shoots='YES' delay='9' speed='4' sprite='x'/>"));
    EXPECT_FALSE(silent.m_shoots);
    EXPECT_EQ(silent.m_fireDelay, 0);
    EXPECT_EQ(silent.m_projectileSpeed, 0.0f);
    EXPECT_EQ(silent.m_projectileSprite, "");
    ShooterEnemy shooter;
    Load(shooter,
         Element(kNormal, "<projectile shoots='yes' delay='9' speed='4' sprite='" + shot + "'/>"));
    EXPECT_TRUE(shooter.m_shoots);
    EXPECT_EQ(shooter.m_fireDelay, 9);
    EXPECT_EQ(shooter.m_projectileSpeed, 4.0f);
    EXPECT_EQ(shooter.m_projectileSprite, shot);
}

TEST_F(EnemyTest, ZeroDirectionStaysZeroAndTheEnemyStandsStill) {
    ShooterEnemy enemy;
    std::string text = Element(kNormal, kSilent);
    text.replace(text.find("x='-1'"), 6, "x='0'");
    Load(enemy, text);
    enemy.Activate();
    const float x = enemy.m_position.x;
    Update(enemy, 3);
    EXPECT_EQ(enemy.m_direction.x, 0.0f);
    EXPECT_EQ(enemy.m_position.x, x);
}

TEST_F(EnemyTest, EntersAtTheRightEdgeOfTheView) {
    world->Level().Camera()->m_position = Vector2(400.0f, 0.0f);
    world->Level().Camera()->m_size = Vector2(640.0f, 480.0f);
    ShooterEnemy enemy;
    Load(enemy, Element(kNormal, kSilent));
    enemy.m_animTime = 77;
    enemy.Activate();
    EXPECT_TRUE(enemy.m_active);
    EXPECT_EQ(enemy.m_position.x, 1140.0f);
    EXPECT_EQ(enemy.m_box.left, 1140.0f);
    EXPECT_EQ(enemy.m_animTime, 0u);
}

TEST_F(EnemyTest, InactiveEnemiesDoNotMove) {
    ShooterEnemy enemy;
    Load(enemy, Element(kNormal, kSilent));
    Update(enemy, 5);
    EXPECT_EQ(enemy.m_position.x, 100.0f);
}

TEST_F(EnemyTest, LeavesTheWorldOnceItsWholeFrameIsPastTheLeftEdge) {
    ShooterEnemy enemy;
    Load(enemy, Element(kNormal, kSilent));
    enemy.m_position.x = -64.0f;
    Update(enemy);
    EXPECT_FALSE(enemy.m_dead);
    enemy.m_position.x = -64.5f;
    Update(enemy);
    EXPECT_TRUE(enemy.m_dead);
    EXPECT_FALSE(enemy.m_destroyed);
}

TEST_F(EnemyTest, FiresAtOnceThenOnlyAfterItsDelay) {
    ShooterEnemy enemy;
    Load(enemy, Element(kNormal,
                        "<projectile shoots='yes' delay='1000' speed='7' sprite='" + shot + "'/>"));
    enemy.Activate();
    Update(enemy);
    ASSERT_EQ(world->Level().ProjectileList().size(), 1u);
    const ShooterProjectile& first = *world->Level().ProjectileList()[0];
    EXPECT_FALSE(first.IsFromPlayer());
    EXPECT_EQ(first.GetDamage(), 20);
    EXPECT_EQ(first.m_direction.x, -1.0f);
    EXPECT_EQ(first.m_speed, 7.0f);
    EXPECT_EQ(first.GetPosition().x, enemy.m_box.left - 64.0f - 10.0f);
    EXPECT_EQ(first.GetPosition().y, 200.0f + 16.0f);
    clock.Advance(1000);
    Update(enemy);
    EXPECT_EQ(world->Level().ProjectileList().size(), 1u);
    clock.Advance(1);
    Update(enemy);
    EXPECT_EQ(world->Level().ProjectileList().size(), 2u);
}

TEST_F(EnemyTest, OscillatingEnemiesTurnAtTheirMargins) {
    world->Level().Camera()->m_size = Vector2(640.0f, 480.0f);
    world->Level().Background()->m_frontBox = BoundingBox(0.0f, 64.0f, 0.0f, 40.0f);
    ShooterEnemy enemy;
    Load(enemy, Element("<behaviour type='oscillate' turnspeed='0.5'/>", kSilent));
    // Frame height 32, so the margin is 32 x (2 - 0.5) = 48.
    enemy.Activate();
    enemy.m_speed = 0.0f;
    enemy.m_position.y = 400.0f;  // top exactly 432: still turning up
    Update(enemy);
    EXPECT_TRUE(enemy.m_turningUp);
    EXPECT_EQ(enemy.m_direction.y, 0.5f);
    enemy.m_position.y = 400.5f;
    Update(enemy);
    EXPECT_FALSE(enemy.m_turningUp);
    EXPECT_EQ(enemy.m_direction.y, 0.0f);
    enemy.m_position.y = 87.0f;  // below terrain top 40 + 48
    Update(enemy);
    EXPECT_TRUE(enemy.m_turningUp);
    enemy.m_direction.y = 2.0f;
    Update(enemy);
    EXPECT_EQ(enemy.m_direction.y, 2.0f);
}

TEST_F(EnemyTest, CurvingEnemiesTurnWithoutLimit) {
    ShooterEnemy enemy;
    Load(enemy, Element("<behaviour type='curve' turnspeed='0.5'/>", kSilent));
    enemy.Activate();
    Update(enemy, 10);
    EXPECT_EQ(enemy.m_direction.y, 5.0f);
}

TEST_F(EnemyTest, AnimationKeepsThePreviousFrameOnAMissingAction) {
    auto* animation = new CAnimation();
    animation->m_name = gametest::UniqueName("enemyanim");
    auto action = std::make_unique<CAction>();
    action->m_name = "fly";
    action->m_totalTime = 100;
    action->m_firstKeyframe = std::make_unique<CKeyframe>();
    action->m_firstKeyframe->m_frameId = 3;
    animation->m_actions.push_back(std::move(action));
    CAnimationManager::GetInstance()->AddAnimation(animation);
    ShooterEnemy enemy;
    Load(enemy, Element(kNormal, kSilent));
    enemy.m_animation = animation;
    enemy.m_animated = true;
    enemy.m_action = "fly";
    enemy.Activate();
    Update(enemy);
    EXPECT_EQ(enemy.m_frame, 3);
    enemy.m_action = "none";
    LogCapture log;
    Update(enemy);
    EXPECT_EQ(enemy.m_frame, 3);
}

TEST_F(EnemyTest, MissingPartsAreLoggedAndTheEnemyCarriesOn) {
    LogCapture log;
    ShooterEnemy enemy;
    Load(enemy, "<enemy time='10'><sprite name='nosuchenemy'/></enemy>");
    EXPECT_TRUE(log.Contains("ShooterEnemy: Missing attribute \"name\""));
    EXPECT_TRUE(log.Contains("<behaviour>"));
    EXPECT_TRUE(log.Contains("<direction>"));
    EXPECT_TRUE(log.Contains("Sprite \"nosuchenemy\" not found"));
    EXPECT_EQ(enemy.m_sprite, nullptr);
    enemy.Activate();
    Update(enemy);
    bool drawBox = false;
    enemy.Render(drawBox);
    EXPECT_EQ(enemy.m_box.right, enemy.m_box.left);
}
