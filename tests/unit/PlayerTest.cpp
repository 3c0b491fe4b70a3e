#include "game/ShooterPlayer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "GameTestSupport.h"
#include "game/ShooterProjectile.h"
#include "resources/CAnimation.h"
#include "resources/CAnimationManager.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

using gametest::DeathRecorder;
using gametest::RegisterSprite;
using gametest::WorldFixture;

namespace {

class PlayerTest : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        ship = &MakeLevel(32, 16);
    }

    // Updates the ship alone n times with dt milliseconds.
    void UpdateShip(int n, float dt) {
        for (int i = 0; i < n; ++i) {
            ship->Update(dt);
        }
    }

    const ShooterProjectile& Shot(size_t i) const { return *world->Level().ProjectileList().at(i); }

    ShooterPlayer* ship = nullptr;
};

}  // namespace

TEST_F(PlayerTest, FourDestructionsRaiseThreeDeathsThenNoMoreLives) {
    DeathRecorder recorder;
    for (int i = 0; i < 4; ++i) {
        ship->m_dead = false;
        ship->m_health = 100;
        ship->TakeDamage(100);
        EXPECT_TRUE(ship->IsDead());
        EXPECT_EQ(ship->GetHealth(), 0);
    }
    CEventManager::GetInstance()->Tick();
    EXPECT_EQ(recorder.deaths, 3);
    EXPECT_EQ(recorder.noMoreLives, 1);
    EXPECT_EQ(ship->GetLives(), 0);
}

TEST_F(PlayerTest, DamageIsIgnoredWhileInvulnerableOrDead) {
    ship->m_invulnerable = true;
    ship->TakeDamage(500);
    EXPECT_EQ(ship->GetHealth(), 100);
    ship->m_invulnerable = false;
    ship->TakeDamage(150);
    EXPECT_EQ(ship->GetLives(), 2);
    ship->TakeDamage(150);
    EXPECT_EQ(ship->GetHealth(), -50);
    EXPECT_EQ(ship->GetLives(), 2);
}

TEST_F(PlayerTest, RespawnsInThe97thUpdateInvulnerableAndStill) {
    ship->TakeDamage(100);
    ship->SetPosition(Vector2(400.0f, 300.0f));
    ship->SetVelocity(Vector2(14.0f, 0.0f));
    ship->BeginRespawn();
    UpdateShip(96, 31.0f);
    EXPECT_TRUE(ship->IsDead());
    EXPECT_EQ(ship->m_respawnTimer, 2976);
    UpdateShip(1, 31.0f);
    EXPECT_FALSE(ship->IsDead());
    EXPECT_FALSE(ship->m_respawning);
    EXPECT_TRUE(ship->m_invulnerable);
    EXPECT_EQ(ship->GetHealth(), 100);
    EXPECT_EQ(ship->GetVelocity().x, 0.0f);
    EXPECT_EQ(ship->GetPosition().x, 100.0f);
    EXPECT_EQ(ship->GetPosition().y, 200.0f);
    // The invulnerability clock starts in the same update, from 0.
    EXPECT_EQ(ship->m_invulnerableTimer, 31);
}

TEST_F(PlayerTest, InvulnerabilityEndsOnceItsTimerPassesThreeSeconds) {
    ship->m_invulnerable = true;
    UpdateShip(96, 31.9f);  // each step is truncated to 31 ms
    EXPECT_EQ(ship->m_invulnerableTimer, 2976);
    EXPECT_TRUE(ship->m_invulnerable);
    UpdateShip(1, 24.0f);
    EXPECT_EQ(ship->m_invulnerableTimer, 3000);
    EXPECT_TRUE(ship->m_invulnerable);
    UpdateShip(1, 1.0f);
    EXPECT_FALSE(ship->m_invulnerable);
}

// Two deaths in a row: each return is invulnerable for the full three seconds, counted
// from its own return (96 more updates of 31 ms after the one that brings the ship back).
TEST_F(PlayerTest, EveryReturnIsInvulnerableForTheFullThreeSeconds) {
    for (int death = 0; death < 2; ++death) {
        ship->TakeDamage(100);
        ASSERT_TRUE(ship->IsDead()) << "death " << death;
        ship->BeginRespawn();
        UpdateShip(97, 31.0f);
        ASSERT_FALSE(ship->IsDead()) << "death " << death;
        int invulnerableUpdates = 0;
        while (ship->m_invulnerable && invulnerableUpdates < 200) {
            ship->TakeDamage(100);  // ignored while invulnerable
            UpdateShip(1, 31.0f);
            ++invulnerableUpdates;
        }
        EXPECT_EQ(invulnerableUpdates, 96) << "death " << death;
        EXPECT_EQ(ship->GetHealth(), 100) << "death " << death;
    }
}

TEST_F(PlayerTest, BlinksEveryOtherUpdateAt31MsAndNeverAt32Ms) {
    ship->m_invulnerable = true;
    int shown = 0;
    for (int i = 0; i < 20; ++i) {
        UpdateShip(1, 31.0f);
        EXPECT_EQ(ship->IsBlinkVisible(), i % 2 == 0) << i;
        shown += ship->IsBlinkVisible() ? 1 : 0;
    }
    EXPECT_EQ(shown, 10);
    ship->m_invulnerableTimer = 0;
    for (int i = 0; i < 20; ++i) {
        UpdateShip(1, 32.0f);
        EXPECT_FALSE(ship->IsBlinkVisible()) << i;
    }
}

TEST_F(PlayerTest, StaysInsideTheDefaultViewWithTheDesignsLimits) {
    ship->SetPosition(Vector2(1000.0f, 500.0f));
    ship->SetVelocity(Vector2(14.0f, 14.0f));
    UpdateShip(1, 31.0f);
    EXPECT_EQ(ship->GetPosition().x, 1024.0f - 32.0f);
    EXPECT_EQ(ship->GetPosition().y, 512.0f - 16.0f);
    // The box of this update still follows the unclamped movement.
    EXPECT_EQ(ship->GetBox().left, 1014.0f);
    ship->SetPosition(Vector2(5.0f, 3.0f));
    ship->SetVelocity(Vector2(-14.0f, -14.0f));
    UpdateShip(1, 31.0f);
    EXPECT_EQ(ship->GetPosition().x, 0.0f);
    EXPECT_EQ(ship->GetPosition().y, 0.0f);
}

TEST_F(PlayerTest, TheWholeScaledShipStaysInsideAMovingView) {
    ship->m_scale = Vector2(2.0f, 2.0f);
    world->Level().Camera()->m_position = Vector2(300.0f, 40.0f);
    world->Level().Camera()->m_size = Vector2(640.0f, 480.0f);
    ship->SetPosition(Vector2(950.0f, 600.0f));
    UpdateShip(1, 31.0f);
    EXPECT_EQ(ship->GetPosition().x, 300.0f + 640.0f - 64.0f);
    EXPECT_EQ(ship->GetPosition().y, 40.0f + 480.0f - 32.0f);
    ship->SetPosition(Vector2(0.0f, 0.0f));
    UpdateShip(1, 31.0f);
    EXPECT_EQ(ship->GetPosition().x, 300.0f);
    EXPECT_EQ(ship->GetPosition().y, 40.0f);
}

TEST_F(PlayerTest, WeaponLevelZeroFiresOneShotAheadOfTheShip) {
    ship->Fire();
    ASSERT_EQ(world->Level().ProjectileList().size(), 1u);
    EXPECT_EQ(Shot(0).GetPosition().x, 100.0f + 32.0f + 3.0f);
    EXPECT_EQ(Shot(0).GetPosition().y, 200.0f + 8.0f);
    EXPECT_EQ(Shot(0).m_direction.x, 1.0f);
    EXPECT_EQ(Shot(0).GetDamage(), 40);
    EXPECT_TRUE(Shot(0).IsFromPlayer());
    EXPECT_EQ(Shot(0).m_speed, 10.0f);
}

TEST_F(PlayerTest, WeaponLevelOneFiresTwoShotsAShotHeightOverOnePointFiveApart) {
    ship->SetWeaponLevel(1);
    ship->Fire();
    ASSERT_EQ(world->Level().ProjectileList().size(), 2u);
    const float shift = static_cast<float>(4 / 1.5);
    EXPECT_EQ(Shot(0).GetPosition().y, 208.0f + shift);
    EXPECT_EQ(Shot(1).GetPosition().y, 208.0f - shift);
    EXPECT_EQ(Shot(0).GetPosition().x, 135.0f);
    EXPECT_EQ(Shot(1).m_direction.y, 0.0f);
}

TEST_F(PlayerTest, WeaponLevelsTwoAndThreeSpreadAndShootBack) {
    ship->SetWeaponLevel(3);
    ship->Fire();
    ASSERT_EQ(world->Level().ProjectileList().size(), 4u);
    EXPECT_EQ(Shot(0).GetPosition().y, 208.0f);
    EXPECT_EQ(Shot(1).GetPosition().y, 212.0f);
    EXPECT_EQ(Shot(2).GetPosition().y, 204.0f);
    EXPECT_FLOAT_EQ(Shot(1).m_direction.x, 0.8944272f);
    EXPECT_FLOAT_EQ(Shot(1).m_direction.y, 0.4472136f);
    EXPECT_FLOAT_EQ(Shot(2).m_direction.y, -0.4472136f);
    EXPECT_EQ(Shot(3).GetPosition().x, 97.0f);
    EXPECT_EQ(Shot(3).GetPosition().y, 208.0f);
    EXPECT_EQ(Shot(3).m_direction.x, -1.0f);
    world->Level().ProjectileList().clear();
    ship->SetWeaponLevel(2);
    ship->Fire();
    EXPECT_EQ(world->Level().ProjectileList().size(), 3u);
}

TEST_F(PlayerTest, UnknownWeaponLevelsAndADeadShipFireNothing) {
    ship->SetWeaponLevel(5);
    ship->Fire();
    ship->SetWeaponLevel(-1);
    ship->Fire();
    EXPECT_TRUE(world->Level().ProjectileList().empty());
    ship->SetWeaponLevel(0);
    ship->m_dead = true;
    ship->Fire();
    ship->FireRing();
    EXPECT_TRUE(world->Level().ProjectileList().empty());
}

TEST_F(PlayerTest, TheRingIs25ShotsWhoseFirstAndLastFlyAlike) {
    ship->FireRing();
    ASSERT_EQ(world->Level().ProjectileList().size(), 25u);
    for (const auto& shot : world->Level().ProjectileList()) {
        EXPECT_EQ(shot->GetPosition().x, 100.0f);
        EXPECT_EQ(shot->GetPosition().y, 200.0f);
        EXPECT_NEAR(shot->m_direction.Length(), 1.0f, 1e-6f);
        EXPECT_EQ(shot->GetDamage(), 40);
    }
    EXPECT_NEAR(Shot(0).m_direction.x, std::sin(12.0 * M_PI / 180.0), 1e-6);
    EXPECT_NEAR(Shot(0).m_direction.y, std::cos(12.0 * M_PI / 180.0), 1e-6);
    EXPECT_NEAR(Shot(24).m_direction.x, Shot(0).m_direction.x, 1e-6f);
    EXPECT_NEAR(Shot(24).m_direction.y, Shot(0).m_direction.y, 1e-6f);
    EXPECT_NEAR(Shot(6).m_direction.x, std::sin(102.0 * M_PI / 180.0), 1e-6);
}

TEST_F(PlayerTest, AnimatedShipTakesItsFrameFromTheLoopingAction) {
    auto* animation = new CAnimation();
    animation->m_name = gametest::UniqueName("shipanim");
    auto action = std::make_unique<CAction>();
    action->m_name = "fly";
    action->m_totalTime = 100;
    action->m_firstKeyframe = std::make_unique<CKeyframe>();
    action->m_firstKeyframe->m_frameId = 4;
    action->m_firstKeyframe->m_next = std::make_unique<CKeyframe>();
    action->m_firstKeyframe->m_next->m_frameId = 5;
    action->m_firstKeyframe->m_next->m_time = 50;
    animation->m_actions.push_back(std::move(action));
    CAnimationManager::GetInstance()->AddAnimation(animation);
    ship->m_animation = animation;
    ship->m_action = "fly";
    ship->m_animated = true;
    UpdateShip(1, 31.0f);
    EXPECT_EQ(ship->m_frame, 4);
    UpdateShip(1, 31.0f);
    EXPECT_EQ(ship->m_frame, 5);
    UpdateShip(2, 31.0f);  // 124 wraps to 24
    EXPECT_EQ(ship->m_frame, 4);
}

TEST_F(PlayerTest, LoadsThePlayerElement) {
    const std::string sprite = RegisterSprite("loadship", 20, 10)->m_name;
    const std::string shot = RegisterSprite("loadshot", 4, 4)->m_name;
    gametest::XmlSnippet xml(
        "<player><position x='50' y='60'/><scale x='2' y='1.5'/>"
        "<velocity x='1' y='-1'/><sprite name='" +
        sprite + "' frame='2'/><projectile sprite='" + shot + "' speed='12.5'/></player>");
    ShooterPlayer loaded;
    EXPECT_TRUE(loaded.Load(xml.Root()));
    EXPECT_EQ(loaded.GetPosition().x, 50.0f);
    EXPECT_EQ(loaded.m_startPosition.y, 60.0f);
    EXPECT_EQ(loaded.m_scale.x, 2.0f);
    EXPECT_EQ(loaded.GetVelocity().y, -1.0f);
    ASSERT_NE(loaded.GetSprite(), nullptr);
    EXPECT_EQ(loaded.GetSprite()->m_name, sprite);
    EXPECT_EQ(loaded.m_frame, 2);
    EXPECT_EQ(loaded.m_projectileSprite, shot);
    EXPECT_EQ(loaded.m_projectileSpeed, 12.5f);
    EXPECT_FALSE(loaded.m_animated);
    EXPECT_EQ(loaded.GetBox().right, 90.0f);
    EXPECT_EQ(loaded.GetBox().top, 75.0f);
}

TEST_F(PlayerTest, MissingDataIsLoggedWithTheFileAndLeavesAShipThatTouchesNothing) {
    TempDir dir;
    const std::string path = dir.Write("level.xml",
                                       "<player><position x='5' y='6'/><sprite name='nosuchship'/>"
                                       "<animation name='nosuchanim' action='fly'/></player>");
    TiXmlDocument document(path.c_str());
    ASSERT_TRUE(document.LoadFile());
    LogCapture log;
    ShooterPlayer loaded;
    loaded.Load(document.RootElement());
    EXPECT_TRUE(log.Contains("ShooterPlayer: Sprite \"nosuchship\" not found, named in " + path));
    EXPECT_TRUE(log.Contains("nosuchanim"));
    EXPECT_TRUE(log.Contains("<scale>"));
    EXPECT_TRUE(log.Contains("<projectile>"));
    EXPECT_EQ(loaded.GetSprite(), nullptr);
    EXPECT_FALSE(loaded.m_animated);
    EXPECT_EQ(loaded.GetBox().right, 5.0f);
    float dt = 31.0f;
    loaded.Update(dt);
    loaded.Render(false);
    loaded.Fire();
    EXPECT_EQ(world->Level().ProjectileList().size(), 1u);
    EXPECT_EQ(Shot(0).GetSprite(), nullptr);
}
