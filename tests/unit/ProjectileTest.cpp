#include "game/ShooterProjectile.h"

#include <gtest/gtest.h>

#include <cmath>

#include "GameTestSupport.h"

using gametest::RegisterSprite;

TEST(ProjectileTest, DirectionIsNormalisedAndMovementIgnoresTheElapsedTime) {
    ShooterProjectile shot(40, Vector2(0.0f, 0.0f), Vector2(1.0f, 0.5f), 10.0f, Vector2(1.0f, 1.0f),
                           "", true);
    EXPECT_FLOAT_EQ(shot.m_direction.x, 0.8944272f);
    EXPECT_FLOAT_EQ(shot.m_direction.y, 0.4472136f);
    float dt = 31.7f;
    shot.Update(dt);
    EXPECT_FLOAT_EQ(shot.GetPosition().x, 8.944272f);
    EXPECT_FLOAT_EQ(shot.GetPosition().y, 4.472136f);
    EXPECT_EQ(shot.GetAge(), 31);
    dt = 500.0f;
    shot.Update(dt);
    EXPECT_FLOAT_EQ(shot.GetPosition().x, 17.888544f);
    EXPECT_EQ(shot.GetAge(), 531);
}

TEST(ProjectileTest, ZeroDirectionStaysPut) {
    ShooterProjectile shot(20, Vector2(5.0f, 6.0f), Vector2(0.0f, 0.0f), 10.0f, Vector2(1.0f, 1.0f),
                           "", false);
    float dt = 31.0f;
    shot.Update(dt);
    EXPECT_EQ(shot.GetPosition().x, 5.0f);
    EXPECT_EQ(shot.GetPosition().y, 6.0f);
    EXPECT_FALSE(shot.IsFromPlayer());
    EXPECT_EQ(shot.GetDamage(), 20);
}

TEST(ProjectileTest, RotationIsTheAngleFromUpAndLeftwardShotsAreMirrored) {
    const Vector2 p;
    const Vector2 s(1.0f, 1.0f);
    ShooterProjectile right(40, p, Vector2(1.0f, 0.0f), 1.0f, s, "", true);
    ShooterProjectile left(40, p, Vector2(-1.0f, 0.0f), 1.0f, s, "", true);
    ShooterProjectile down(40, p, Vector2(0.0f, -1.0f), 1.0f, s, "", true);
    EXPECT_FLOAT_EQ(right.GetRotation(), 1.5707964f);
    EXPECT_FALSE(right.IsMirrored());
    EXPECT_FLOAT_EQ(left.GetRotation(), 1.5707964f);
    EXPECT_TRUE(left.IsMirrored());
    EXPECT_FLOAT_EQ(down.GetRotation(), static_cast<float>(M_PI));
    EXPECT_FALSE(down.IsMirrored());
    // A direction rounded to just over unit length still gives a number.
    ShooterProjectile up(40, p, Vector2(0.0f, 1.0f), 1.0f, s, "", true);
    up.m_direction.y = 1.0000001f;
    EXPECT_EQ(up.GetRotation(), 0.0f);
}

TEST(ProjectileTest, BoxUsesTheNamedSpritesFrameTimesTheScale) {
    const std::string name = RegisterSprite("projectile", 8, 4)->m_name;
    ShooterProjectile shot(40, Vector2(10.0f, 20.0f), Vector2(1.0f, 0.0f), 5.0f,
                           Vector2(2.0f, 3.0f), name, true);
    ASSERT_NE(shot.GetSprite(), nullptr);
    EXPECT_EQ(shot.GetBox().left, 10.0f);
    EXPECT_EQ(shot.GetBox().right, 26.0f);
    EXPECT_EQ(shot.GetBox().bottom, 20.0f);
    EXPECT_EQ(shot.GetBox().top, 32.0f);
    float dt = 31.0f;
    shot.Update(dt);
    EXPECT_EQ(shot.GetBox().left, 15.0f);
    EXPECT_EQ(shot.GetBox().right, 31.0f);
}

TEST(ProjectileTest, UnknownSpriteGivesAnEmptyBox) {
    ShooterProjectile shot(40, Vector2(10.0f, 20.0f), Vector2(1.0f, 0.0f), 5.0f,
                           Vector2(2.0f, 3.0f), "no such sprite", true);
    EXPECT_EQ(shot.GetSprite(), nullptr);
    EXPECT_EQ(shot.GetBox().right, 10.0f);
    EXPECT_EQ(shot.GetBox().top, 20.0f);
}
