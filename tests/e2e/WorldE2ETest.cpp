// The game itself on a small test level: the paused scene shows the ship and the background
// layers; once the interface's pause button resumes the game, enemies enter at the right edge.
#include <gtest/gtest.h>

#include <string>

#include "support/GameProcess.h"
#include "support/TempDir.h"

namespace {

bool Near(const Rgba& pixel, int r, int g, int b) {
    const auto close = [](int a, int e) { return a >= e - 8 && a <= e + 8; };
    return close(pixel.r, r) && close(pixel.g, g) && close(pixel.b, b);
}

// Pixels of the enemies' colour (magenta) inside a rectangle of the last screenshot.
int CountEnemyPixels(const GameProcess& game, int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; y += 2) {
        for (int x = x0; x < x1; x += 2) {
            count += Near(game.Pixel(x, y), 255, 0, 255) ? 1 : 0;
        }
    }
    return count;
}

class WorldE2ETest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.CopyFrom(std::string(GLIMMERAX_TEST_DATA) + "/world");
        ASSERT_TRUE(game.Start(dir.Path()));
        ASSERT_TRUE(game.WaitForWindow()) << game.Log();
    }

    void Shoot(const std::string& name) {
        ASSERT_TRUE(game.Screenshot());
        game.SaveScreenshot(dir.Path() + "/" + name + ".png");
    }

    TempDir dir;
    GameProcess game;
};

}  // namespace

TEST_F(WorldE2ETest, ThePausedSceneShowsTheShipAndTheBackgroundLayers) {
    GameProcess::Sleep(500);
    Shoot("paused");
    // Ship (yellow) at (100, 240) from the bottom, 64 x 32: its middle is 256 from the top.
    EXPECT_TRUE(Near(game.Pixel(132, 256), 255, 255, 0)) << game.Log();
    // Back layer (dark blue) fills the sky, the middle layer (green) lies 50 to 114 above the
    // bottom, the terrain (brown) the lowest 48 rows.
    EXPECT_TRUE(Near(game.Pixel(600, 100), 0, 0, 128));
    EXPECT_TRUE(Near(game.Pixel(600, 432), 0, 160, 0));
    EXPECT_TRUE(Near(game.Pixel(600, 500), 160, 80, 0));
    // Enemies wait for the level clock, which starts only when the game runs.
    EXPECT_EQ(CountEnemyPixels(game, 0, 0, 1024, 512), 0);
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(), 1);
}

TEST_F(WorldE2ETest, ResumingBringsTheEnemiesInFromTheRightEdge) {
    GameProcess::Sleep(300);
    // The pause button lies at (10, 470) from the bottom left, 32 x 32.
    game.Click(26, 26);
    GameProcess::Sleep(2000);
    Shoot("running");
    EXPECT_GT(CountEnemyPixels(game, 400, 0, 1024, 512), 200) << game.Log();
    EXPECT_EQ(CountEnemyPixels(game, 0, 0, 300, 512), 0);
    EXPECT_TRUE(Near(game.Pixel(132, 256), 255, 255, 0));
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(), 1);
}
