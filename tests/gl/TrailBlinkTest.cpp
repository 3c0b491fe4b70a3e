// The ship's fading trail and its blinking while invulnerable, read back from the window.
#include <gtest/gtest.h>

#include <memory>

#include "SolidSprite.h"
#include "game/ShooterPlayer.h"
#include "world/ShooterWorld.h"

namespace {

constexpr Rgba kWhite{255, 255, 255, 255};

class TrailBlinkTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        // Textures need the window's context, which exists from here on.
        sprite = std::make_unique<SolidSprite>(16, 16, kWhite);
        ship.m_sprite = sprite->Get();
        ship.m_scale = Vector2(1.0f, 1.0f);
        ship.SetPosition(Vector2(200.0f, 100.0f));
    }
    void TearDown() override { ShooterWorld::DestroyInstance(); }

    // The red level of a window pixel on the ship's middle row.
    static int Red(int x) { return GLWindow::ReadPixel(x, 108).r; }

    std::unique_ptr<SolidSprite> sprite;
    ShooterPlayer ship;
};

}  // namespace

TEST_F(TrailBlinkTest, AVulnerableShipTrailsThreeFadingCopies) {
    ship.Render(false);
    EXPECT_EQ(Red(207), 255);      // the ship itself
    EXPECT_NEAR(Red(194), 77, 2);  // 10 behind, alpha 0.3
    EXPECT_NEAR(Red(180), 51, 2);  // 25 behind, alpha 0.2
    EXPECT_NEAR(Red(158), 32, 2);  // 50 behind, alpha 0.125
    EXPECT_EQ(Red(140), 0);
    // The fourth copy (alpha 0.05) falls under the alpha test and is never seen.
    EXPECT_EQ(Red(112), 0);
    EXPECT_EQ(Red(128), 0);
}

TEST_F(TrailBlinkTest, TheFarthestCopyIsMirroredBehindItsPlace) {
    glDisable(GL_ALPHA_TEST);
    ship.Render(false);
    glEnable(GL_ALPHA_TEST);
    // 80 behind at x 120, mirrored about that line, so it covers 104 to 120.
    EXPECT_NEAR(Red(112), 13, 2);
    EXPECT_EQ(Red(128), 0);
}

TEST_F(TrailBlinkTest, AnInvulnerableShipBlinksWithoutItsTrail) {
    ship.m_invulnerable = true;
    ship.m_invulnerableTimer = 31;
    ship.Render(false);
    EXPECT_EQ(Red(207), 255);
    EXPECT_EQ(Red(194), 0);
    EXPECT_EQ(Red(180), 0);
    GLWindow::Clear();
    ship.m_invulnerableTimer = 32;
    ship.Render(false);
    EXPECT_EQ(Red(207), 0);
}

TEST_F(TrailBlinkTest, ADeadShipIsNotDrawn) {
    ship.m_dead = true;
    ship.Render(true);
    EXPECT_EQ(Red(207), 0);
    EXPECT_EQ(GLWindow::ReadPixel(200, 100).g, 0);
}
