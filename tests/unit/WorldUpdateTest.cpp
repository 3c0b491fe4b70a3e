// The rules of one world update, driven with a fake clock and sprites made by hand.
#include <gtest/gtest.h>

#include "GameTestSupport.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterProjectile.h"
#include "gui/CGUI.h"
#include "gui/CGUILayer.h"
#include "resources/CAnimation.h"
#include "support/TempDir.h"

using gametest::DeathRecorder;
using gametest::RegisterSprite;
using gametest::WorldFixture;

namespace {

class WorldUpdateTest : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        ship = &MakeLevel(32, 16);
        // Explosions that would run for a second, so the tests can count them.
        world->Level().SetExplosions(std::make_unique<ShooterExplosionManager>());
        world->Level().Explosions()->m_sprite = RegisterSprite("boom", 16, 16);
        world->Level().Explosions()->m_animation = &explosionAnimation;
        world->Level().Explosions()->m_duration = 1000;
    }

    // An active enemy standing still at position, its box computed.
    ShooterEnemy& AddEnemy(const Vector2& position, int health = 100, int spawnTime = 0) {
        auto enemy = std::make_unique<ShooterEnemy>();
        enemy->m_sprite = RegisterSprite("enemy", 20, 20);
        enemy->m_scale = Vector2(1.0f, 1.0f);
        enemy->m_health = health;
        enemy->m_spawnTime = spawnTime;
        enemy->m_position = position;
        enemy->m_active = true;
        enemy->UpdateBox();
        world->Level().EnemyList().push_back(std::move(enemy));
        return *world->Level().EnemyList().back();
    }

    // A projectile of 4 x 4 pixels standing still at position.
    ShooterProjectile& AddShot(const Vector2& position, bool fromPlayer, int damage = 40) {
        const std::string sprite = RegisterSprite("bullet", 4, 4)->m_name;
        world->AddProjectile(new ShooterProjectile(damage, position, Vector2(0.0f, 0.0f), 0.0f,
                                                   Vector2(1.0f, 1.0f), sprite, fromPlayer));
        return *world->Level().ProjectileList().back();
    }

    size_t PlayerShots() const {
        size_t n = 0;
        for (const auto& shot : world->Level().ProjectileList()) {
            n += shot->IsFromPlayer() ? 1 : 0;
        }
        return n;
    }

    CAnimation explosionAnimation;
    ShooterPlayer* ship = nullptr;
};

}  // namespace

TEST_F(WorldUpdateTest, NothingMovesWhilePausedOrWithoutAShip) {
    world->Session().SetPaused(true);
    world->Level().Camera()->m_velocity = Vector2(2.0f, 0.0f);
    ship->SetVelocity(Vector2(1.0f, 0.0f));
    Step();
    EXPECT_EQ(world->Level().Start(), 0u);
    EXPECT_EQ(world->Level().Camera()->GetPosition().x, 0.0f);
    EXPECT_EQ(ship->GetPosition().x, 100.0f);
    world->Session().SetPaused(false);
    world->Level().SetPlayer(nullptr);
    Step();
    EXPECT_EQ(world->Level().Start(), 0u);
    EXPECT_EQ(world->Level().Camera()->GetPosition().x, 0.0f);
}

TEST_F(WorldUpdateTest, TheFirstUnpausedUpdateStartsTheLevelClock) {
    world->Session().SetPaused(true);
    Step();
    world->Session().SetPaused(false);
    Step();
    EXPECT_EQ(world->Level().Start(), clock.Now());
    EXPECT_EQ(world->Level().Time(), 0);
    Step();
    EXPECT_EQ(world->Level().Time(), 31);
    // Paused time counts: the level clock is the wall clock.
    world->Session().SetPaused(true);
    Step(500.0f);
    world->Session().SetPaused(false);
    Step();
    EXPECT_EQ(world->Level().Time(), 562);
}

TEST_F(WorldUpdateTest, EnemiesEnterOnlyOnceTheLevelTimeIsPastTheirSpawnTime) {
    ShooterEnemy& early = AddEnemy(Vector2(100.0f, 400.0f), 100, 0);
    ShooterEnemy& later = AddEnemy(Vector2(100.0f, 400.0f), 100, 31);
    early.m_active = false;
    later.m_active = false;
    Step();  // level time 0
    EXPECT_FALSE(early.m_active);
    Step();  // 31
    EXPECT_TRUE(early.m_active);
    EXPECT_EQ(early.m_position.x, 1124.0f);
    EXPECT_FALSE(later.m_active);
    Step();  // 62
    EXPECT_TRUE(later.m_active);
}

TEST_F(WorldUpdateTest, HoldingFireShootsEveryTenthUpdateAt31Ms) {
    world->Level().SetFiring(true);
    for (int i = 1; i <= 21; ++i) {
        Step();
        const size_t expected = i < 11 ? 1 : (i < 21 ? 2 : 3);
        EXPECT_EQ(PlayerShots(), expected) << "update " << i;
    }
    EXPECT_EQ(world->Level().LastFireTime(), clock.Now());
}

TEST_F(WorldUpdateTest, AShotIsMovedInTheUpdateThatFiredIt) {
    world->Level().SetFiring(true);
    Step();
    ASSERT_EQ(world->Level().ProjectileList().size(), 1u);
    EXPECT_EQ(world->Level().ProjectileList()[0]->GetPosition().x, 100.0f + 32.0f + 3.0f + 10.0f);
    EXPECT_EQ(world->Level().ProjectileList()[0]->GetAge(), 31);
}

TEST_F(WorldUpdateTest, TerrainDestroysAShipAtFullHealth) {
    world->Level().Background()->m_position = Vector2(90.0f, 190.0f);
    world->Level().Background()->m_frontBox = BoundingBox(90.0f, 154.0f, 190.0f, 206.0f);
    DeathRecorder recorder;
    Step();
    EXPECT_TRUE(ship->IsDead());
    EXPECT_EQ(ship->GetHealth(), 0);
    EXPECT_EQ(ship->GetLives(), 2);
    Step();
    EXPECT_EQ(recorder.deaths, 1);
    EXPECT_EQ(ship->GetLives(), 2);
}

TEST_F(WorldUpdateTest, TwoBodyContactsOfFiftyDestroyTheShipAndSpareTheEnemy) {
    ShooterEnemy& enemy = AddEnemy(Vector2(110.0f, 195.0f));
    Step();
    EXPECT_EQ(ship->GetHealth(), 50);
    EXPECT_FALSE(ship->IsDead());
    Step();
    EXPECT_TRUE(ship->IsDead());
    EXPECT_EQ(enemy.m_health, 100);
    Step();
    EXPECT_EQ(world->Level().EnemyList().size(), 1u);
    EXPECT_TRUE(ship->IsDead());
}

TEST_F(WorldUpdateTest, TwoShotsKillAFortyHealthEnemyWhichGoesInTheNextUpdate) {
    ShooterEnemy& enemy = AddEnemy(Vector2(600.0f, 300.0f), 40);
    AddShot(Vector2(605.0f, 305.0f), true);
    AddShot(Vector2(610.0f, 310.0f), true);
    Step();
    EXPECT_TRUE(world->Level().ProjectileList().empty());
    EXPECT_EQ(enemy.m_health, -40);
    EXPECT_TRUE(enemy.m_dead);
    ASSERT_EQ(world->Level().EnemyList().size(), 1u);
    EXPECT_EQ(ship->GetPoints(), 0);
    EXPECT_TRUE(world->Level().Explosions()->m_explosions.empty());
    Step();
    EXPECT_TRUE(world->Level().EnemyList().empty());
    EXPECT_EQ(ship->GetPoints(), 60);
    ASSERT_EQ(world->Level().Explosions()->m_explosions.size(), 1u);
    EXPECT_EQ(world->Level().Explosions()->m_explosions[0]->m_position.x, 600.0f);
    EXPECT_EQ(world->Level().Explosions()->m_explosions[0]->m_time, 0u);
}

TEST_F(WorldUpdateTest, AShotOverTwoEnemiesHitsOnlyTheFirstInLevelOrder) {
    ShooterEnemy& first = AddEnemy(Vector2(600.0f, 300.0f));
    ShooterEnemy& second = AddEnemy(Vector2(602.0f, 302.0f));
    AddShot(Vector2(610.0f, 310.0f), true);
    Step();
    EXPECT_EQ(first.m_health, 60);
    EXPECT_EQ(second.m_health, 100);
    EXPECT_TRUE(world->Level().ProjectileList().empty());
}

TEST_F(WorldUpdateTest, UsedUpShotsLeaveTheListAndTheOthersKeepTheirOrder) {
    ShooterEnemy& left = AddEnemy(Vector2(300.0f, 300.0f));
    ShooterEnemy& right = AddEnemy(Vector2(600.0f, 300.0f));
    const ShooterProjectile* enemyShot = &AddShot(Vector2(450.0f, 100.0f), false);
    AddShot(Vector2(605.0f, 305.0f), true);
    const ShooterProjectile* missing = &AddShot(Vector2(450.0f, 400.0f), true);
    AddShot(Vector2(305.0f, 305.0f), true);
    const ShooterProjectile* last = &AddShot(Vector2(460.0f, 400.0f), true);
    Step();
    EXPECT_EQ(left.m_health, 60);
    EXPECT_EQ(right.m_health, 60);
    ASSERT_EQ(world->Level().ProjectileList().size(), 3u);
    EXPECT_EQ(world->Level().ProjectileList()[0].get(), enemyShot);
    EXPECT_EQ(world->Level().ProjectileList()[1].get(), missing);
    EXPECT_EQ(world->Level().ProjectileList()[2].get(), last);
}

TEST_F(WorldUpdateTest, EnemyShotsNeverHitEnemiesAndPlayerShotsNeverHitTheShip) {
    ShooterEnemy& enemy = AddEnemy(Vector2(600.0f, 300.0f));
    AddShot(Vector2(610.0f, 310.0f), false);
    AddShot(Vector2(110.0f, 205.0f), true);
    Step();
    EXPECT_EQ(enemy.m_health, 100);
    EXPECT_EQ(ship->GetHealth(), 100);
    EXPECT_EQ(world->Level().ProjectileList().size(), 2u);
}

TEST_F(WorldUpdateTest, AnEnemyThatLeftTheScreenGoesWithoutExplosionOrPoints) {
    ShooterEnemy& enemy = AddEnemy(Vector2(600.0f, 300.0f));
    enemy.m_dead = true;
    Step();
    EXPECT_TRUE(world->Level().EnemyList().empty());
    EXPECT_EQ(ship->GetPoints(), 0);
    EXPECT_TRUE(world->Level().Explosions()->m_explosions.empty());
}

TEST_F(WorldUpdateTest, EnemyShotsHitTheShipAndAreUsedUpEvenWhenItIsInvulnerable) {
    AddShot(Vector2(110.0f, 205.0f), false, 20);
    Step();
    EXPECT_EQ(ship->GetHealth(), 80);
    EXPECT_TRUE(world->Level().ProjectileList().empty());
    ship->m_invulnerable = true;
    AddShot(Vector2(110.0f, 205.0f), false, 20);
    Step();
    EXPECT_EQ(ship->GetHealth(), 80);
    EXPECT_TRUE(world->Level().ProjectileList().empty());
}

TEST_F(WorldUpdateTest, EnemyShotsAndEnemiesPassADeadShip) {
    ship->m_dead = true;
    ship->m_health = 0;
    ShooterEnemy& enemy = AddEnemy(Vector2(110.0f, 195.0f));
    AddShot(Vector2(110.0f, 205.0f), false, 20);
    Step();
    EXPECT_EQ(world->Level().ProjectileList().size(), 1u);
    EXPECT_EQ(ship->GetHealth(), 0);
    EXPECT_EQ(enemy.m_health, 100);
}

TEST_F(WorldUpdateTest, AProjectileOfAgeExactly3000StaysAndGoesAbove) {
    ShooterProjectile& shot = AddShot(Vector2(900.0f, 50.0f), true);
    shot.m_age = 2969;
    Step();
    ASSERT_EQ(world->Level().ProjectileList().size(), 1u);
    EXPECT_EQ(world->Level().ProjectileList()[0]->GetAge(), 3000);
    Step(1.0f);
    EXPECT_TRUE(world->Level().ProjectileList().empty());
}

TEST_F(WorldUpdateTest, AProjectileLives97UpdatesAt31Ms) {
    AddShot(Vector2(900.0f, 50.0f), false);
    for (int i = 1; i <= 96; ++i) {
        Step();
    }
    ASSERT_EQ(world->Level().ProjectileList().size(), 1u);
    EXPECT_EQ(world->Level().ProjectileList()[0]->GetAge(), 2976);
    Step();
    EXPECT_TRUE(world->Level().ProjectileList().empty());
}

TEST_F(WorldUpdateTest, TheShipReturnsInThe97thUpdateInvulnerableAndStill) {
    ship->TakeDamage(100);
    ship->BeginRespawn();
    ship->SetVelocity(Vector2(14.0f, 0.0f));
    for (int i = 1; i <= 96; ++i) {
        Step();
        ASSERT_TRUE(ship->IsDead()) << i;
    }
    Step();
    EXPECT_FALSE(ship->IsDead());
    EXPECT_TRUE(ship->m_invulnerable);
    EXPECT_EQ(ship->GetVelocity().x, 0.0f);
    EXPECT_EQ(ship->GetPosition().x, 100.0f);
}

TEST_F(WorldUpdateTest, ExplosionsAreRemovedInTheUpdateAfterTheyReachTheirDuration) {
    world->Level().Explosions()->m_duration = 500;
    world->Level().Explosions()->Spawn(Vector2(1.0f, 2.0f));
    for (int i = 1; i <= 17; ++i) {
        Step();
    }
    ASSERT_EQ(world->Level().Explosions()->m_explosions.size(), 1u);
    EXPECT_EQ(world->Level().Explosions()->m_explosions[0]->m_time, 527u);
    Step();
    EXPECT_TRUE(world->Level().Explosions()->m_explosions.empty());
}

TEST_F(WorldUpdateTest, ALevelWithoutEnemiesShowsTheGameCompleteLayer) {
    TempDir dir;
    const std::string layers = dir.Write(
        "layers.xml", "<layerset><layer name='wuhud'/><layer name='wucomplete'/></layerset>");
    CGUI* gui = CGUI::GetInstance();
    gui->LoadLayerSet(layers);
    gui->SetActiveLayer("wuhud");
    ASSERT_NE(gui->GetActiveLayer(), nullptr);
    world->Session().SetGameCompleteLayer("wucomplete");
    world->Session().SetPaused(true);
    Step();
    EXPECT_EQ(gui->GetActiveLayer()->GetName(), "wuhud");
    world->Session().SetPaused(false);
    Step();
    EXPECT_EQ(gui->GetActiveLayer()->GetName(), "wucomplete");
    gui->UnloadAll();
}

TEST_F(WorldUpdateTest, ActorsWithoutSpritesTouchNothing) {
    ShooterEnemy& enemy = AddEnemy(Vector2(110.0f, 195.0f));
    enemy.m_sprite = nullptr;
    enemy.UpdateBox();
    world->AddProjectile(new ShooterProjectile(20, Vector2(110.0f, 205.0f), Vector2(), 0.0f,
                                               Vector2(1.0f, 1.0f), "no such shot", false));
    Step();
    EXPECT_EQ(ship->GetHealth(), 100);
    EXPECT_EQ(world->Level().ProjectileList().size(), 1u);
}
