// The rules of one step of the level in play, on the level part alone (no world, no window),
// driven with a fake clock and sprites made by hand.
#include <gtest/gtest.h>

#include "GameTestSupport.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterProjectile.h"
#include "resources/CAnimation.h"

using gametest::BuildLevel;
using gametest::DeathRecorder;
using gametest::LevelFixture;
using gametest::RegisterSprite;

namespace {

class LevelRulesTest : public LevelFixture {
protected:
    void SetUp() override {
        ship = &BuildLevel(level, 32, 16);
        // Explosions that would run for a second, so the tests can count them.
        level.SetExplosions(std::make_unique<ShooterExplosionManager>());
        level.Explosions()->m_sprite = RegisterSprite("boom", 16, 16);
        level.Explosions()->m_animation = &explosionAnimation;
        level.Explosions()->m_duration = 1000;
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
        level.EnemyList().push_back(std::move(enemy));
        return *level.EnemyList().back();
    }

    // A projectile of 4 x 4 pixels standing still at position.
    ShooterProjectile& AddShot(const Vector2& position, bool fromPlayer, int damage = 40) {
        const std::string sprite = RegisterSprite("bullet", 4, 4)->m_name;
        level.AddProjectile(new ShooterProjectile(damage, position, Vector2(0.0f, 0.0f), 0.0f,
                                                   Vector2(1.0f, 1.0f), sprite, fromPlayer));
        return *level.ProjectileList().back();
    }

    size_t PlayerShots() const {
        size_t n = 0;
        for (const auto& shot : level.ProjectileList()) {
            n += shot->IsFromPlayer() ? 1 : 0;
        }
        return n;
    }

    CAnimation explosionAnimation;
    ShooterPlayer* ship = nullptr;
};

}  // namespace

TEST_F(LevelRulesTest, EnemiesEnterOnlyOnceTheLevelTimeIsPastTheirSpawnTime) {
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

TEST_F(LevelRulesTest, HoldingFireShootsEveryTenthUpdateAt31Ms) {
    level.SetFiring(true);
    for (int i = 1; i <= 21; ++i) {
        Step();
        const size_t expected = i < 11 ? 1 : (i < 21 ? 2 : 3);
        EXPECT_EQ(PlayerShots(), expected) << "update " << i;
    }
    EXPECT_EQ(level.LastFireTime(), clock.Now());
}

TEST_F(LevelRulesTest, AShotIsMovedInTheUpdateThatFiredIt) {
    level.SetFiring(true);
    Step();
    ASSERT_EQ(level.ProjectileList().size(), 1u);
    EXPECT_EQ(level.ProjectileList()[0]->GetPosition().x, 100.0f + 32.0f + 3.0f + 10.0f);
    EXPECT_EQ(level.ProjectileList()[0]->GetAge(), 31);
}

TEST_F(LevelRulesTest, TerrainDestroysAShipAtFullHealth) {
    level.Background()->m_position = Vector2(90.0f, 190.0f);
    level.Background()->m_frontBox = BoundingBox(90.0f, 154.0f, 190.0f, 206.0f);
    DeathRecorder recorder;
    Step();
    EXPECT_TRUE(ship->IsDead());
    EXPECT_EQ(ship->GetHealth(), 0);
    EXPECT_EQ(ship->GetLives(), 2);
    Step();
    EXPECT_EQ(recorder.deaths, 1);
    EXPECT_EQ(ship->GetLives(), 2);
}

TEST_F(LevelRulesTest, TwoBodyContactsOfFiftyDestroyTheShipAndSpareTheEnemy) {
    ShooterEnemy& enemy = AddEnemy(Vector2(110.0f, 195.0f));
    Step();
    EXPECT_EQ(ship->GetHealth(), 50);
    EXPECT_FALSE(ship->IsDead());
    Step();
    EXPECT_TRUE(ship->IsDead());
    EXPECT_EQ(enemy.m_health, 100);
    Step();
    EXPECT_EQ(level.EnemyList().size(), 1u);
    EXPECT_TRUE(ship->IsDead());
}

TEST_F(LevelRulesTest, TwoShotsKillAFortyHealthEnemyWhichGoesInTheNextUpdate) {
    ShooterEnemy& enemy = AddEnemy(Vector2(600.0f, 300.0f), 40);
    AddShot(Vector2(605.0f, 305.0f), true);
    AddShot(Vector2(610.0f, 310.0f), true);
    Step();
    EXPECT_TRUE(level.ProjectileList().empty());
    EXPECT_EQ(enemy.m_health, -40);
    EXPECT_TRUE(enemy.m_dead);
    ASSERT_EQ(level.EnemyList().size(), 1u);
    EXPECT_EQ(ship->GetPoints(), 0);
    EXPECT_TRUE(level.Explosions()->m_explosions.empty());
    Step();
    EXPECT_TRUE(level.EnemyList().empty());
    EXPECT_EQ(ship->GetPoints(), 60);
    ASSERT_EQ(level.Explosions()->m_explosions.size(), 1u);
    EXPECT_EQ(level.Explosions()->m_explosions[0]->m_position.x, 600.0f);
    EXPECT_EQ(level.Explosions()->m_explosions[0]->m_time, 0u);
}

TEST_F(LevelRulesTest, AShotOverTwoEnemiesHitsOnlyTheFirstInLevelOrder) {
    ShooterEnemy& first = AddEnemy(Vector2(600.0f, 300.0f));
    ShooterEnemy& second = AddEnemy(Vector2(602.0f, 302.0f));
    AddShot(Vector2(610.0f, 310.0f), true);
    Step();
    EXPECT_EQ(first.m_health, 60);
    EXPECT_EQ(second.m_health, 100);
    EXPECT_TRUE(level.ProjectileList().empty());
}

TEST_F(LevelRulesTest, UsedUpShotsLeaveTheListAndTheOthersKeepTheirOrder) {
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
    ASSERT_EQ(level.ProjectileList().size(), 3u);
    EXPECT_EQ(level.ProjectileList()[0].get(), enemyShot);
    EXPECT_EQ(level.ProjectileList()[1].get(), missing);
    EXPECT_EQ(level.ProjectileList()[2].get(), last);
}

TEST_F(LevelRulesTest, EnemyShotsNeverHitEnemiesAndPlayerShotsNeverHitTheShip) {
    ShooterEnemy& enemy = AddEnemy(Vector2(600.0f, 300.0f));
    AddShot(Vector2(610.0f, 310.0f), false);
    AddShot(Vector2(110.0f, 205.0f), true);
    Step();
    EXPECT_EQ(enemy.m_health, 100);
    EXPECT_EQ(ship->GetHealth(), 100);
    EXPECT_EQ(level.ProjectileList().size(), 2u);
}

TEST_F(LevelRulesTest, AnEnemyThatLeftTheScreenGoesWithoutExplosionOrPoints) {
    ShooterEnemy& enemy = AddEnemy(Vector2(600.0f, 300.0f));
    enemy.m_dead = true;
    Step();
    EXPECT_TRUE(level.EnemyList().empty());
    EXPECT_EQ(ship->GetPoints(), 0);
    EXPECT_TRUE(level.Explosions()->m_explosions.empty());
}

TEST_F(LevelRulesTest, EnemyShotsHitTheShipAndAreUsedUpEvenWhenItIsInvulnerable) {
    AddShot(Vector2(110.0f, 205.0f), false, 20);
    Step();
    EXPECT_EQ(ship->GetHealth(), 80);
    EXPECT_TRUE(level.ProjectileList().empty());
    ship->m_invulnerable = true;
    AddShot(Vector2(110.0f, 205.0f), false, 20);
    Step();
    EXPECT_EQ(ship->GetHealth(), 80);
    EXPECT_TRUE(level.ProjectileList().empty());
}

TEST_F(LevelRulesTest, EnemyShotsAndEnemiesPassADeadShip) {
    ship->m_dead = true;
    ship->m_health = 0;
    ShooterEnemy& enemy = AddEnemy(Vector2(110.0f, 195.0f));
    AddShot(Vector2(110.0f, 205.0f), false, 20);
    Step();
    EXPECT_EQ(level.ProjectileList().size(), 1u);
    EXPECT_EQ(ship->GetHealth(), 0);
    EXPECT_EQ(enemy.m_health, 100);
}

TEST_F(LevelRulesTest, AProjectileOfAgeExactly3000StaysAndGoesAbove) {
    ShooterProjectile& shot = AddShot(Vector2(900.0f, 50.0f), true);
    shot.m_age = 2969;
    Step();
    ASSERT_EQ(level.ProjectileList().size(), 1u);
    EXPECT_EQ(level.ProjectileList()[0]->GetAge(), 3000);
    Step(1.0f);
    EXPECT_TRUE(level.ProjectileList().empty());
}

TEST_F(LevelRulesTest, AProjectileLives97UpdatesAt31Ms) {
    AddShot(Vector2(900.0f, 50.0f), false);
    for (int i = 1; i <= 96; ++i) {
        Step();
    }
    ASSERT_EQ(level.ProjectileList().size(), 1u);
    EXPECT_EQ(level.ProjectileList()[0]->GetAge(), 2976);
    Step();
    EXPECT_TRUE(level.ProjectileList().empty());
}

TEST_F(LevelRulesTest, TheShipReturnsInThe97thUpdateInvulnerableAndStill) {
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

TEST_F(LevelRulesTest, ExplosionsAreRemovedInTheUpdateAfterTheyReachTheirDuration) {
    level.Explosions()->m_duration = 500;
    level.Explosions()->Spawn(Vector2(1.0f, 2.0f));
    for (int i = 1; i <= 17; ++i) {
        Step();
    }
    ASSERT_EQ(level.Explosions()->m_explosions.size(), 1u);
    EXPECT_EQ(level.Explosions()->m_explosions[0]->m_time, 527u);
    Step();
    EXPECT_TRUE(level.Explosions()->m_explosions.empty());
}

TEST_F(LevelRulesTest, ActorsWithoutSpritesTouchNothing) {
    ShooterEnemy& enemy = AddEnemy(Vector2(110.0f, 195.0f));
    enemy.m_sprite = nullptr;
    enemy.UpdateBox();
    level.AddProjectile(new ShooterProjectile(20, Vector2(110.0f, 205.0f), Vector2(), 0.0f,
                                               Vector2(1.0f, 1.0f), "no such shot", false));
    Step();
    EXPECT_EQ(ship->GetHealth(), 100);
    EXPECT_EQ(level.ProjectileList().size(), 1u);
}

// The level tells its outcome that it is cleared in every step without enemies, and never
// once the game is over: enemies that fly on after the last ship and leave do not clear it.
TEST_F(LevelRulesTest, ClearedOnlyWithoutEnemiesAndNeverAfterTheGameIsOver) {
    AddEnemy(Vector2(600.0f, 300.0f));
    Step();
    EXPECT_EQ(outcome.cleared, 0);
    level.EnemyList().clear();
    Step();
    Step();
    EXPECT_EQ(outcome.cleared, 2);
    for (int life = 0; life < 3; ++life) {
        ship->m_dead = false;
        ship->TakeDamage(100);
    }
    ASSERT_TRUE(level.IsGameOver());
    Step();
    EXPECT_EQ(outcome.cleared, 2);
}

// Ship commands reach a living ship only; a release after a death leaves its drift.
TEST_F(LevelRulesTest, ShipCommandsNeedALivingShip) {
    GameCommand steer;
    steer.kind = CommandKind::Steer;
    steer.step = Vector2(14.0f, 0.0f);
    level.Apply(steer);
    EXPECT_EQ(ship->GetVelocity().x, 14.0f);
    ship->TakeDamage(100);
    steer.step = Vector2(-14.0f, 0.0f);
    level.Apply(steer);
    EXPECT_EQ(ship->GetVelocity().x, 14.0f);
    GameCommand fire;
    fire.kind = CommandKind::Fire;
    fire.on = true;
    level.Apply(fire);
    EXPECT_FALSE(level.IsFiring());
}
