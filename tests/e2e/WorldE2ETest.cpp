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

// The ship (yellow) lies at (100, 240) from the bottom, 64 x 32: its middle is 256 from the
// top. It flies along with the camera, so it keeps that place while the game runs.
bool ShipShown(const GameProcess& game) {
    return Near(game.Pixel(132, 256), 255, 255, 0);
}

class WorldE2ETest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.CopyFrom(std::string(GLIMMERAX_TEST_DATA) + "/world");
        ASSERT_TRUE(game.Start(dir.Path()));
        ASSERT_TRUE(game.WaitForWindow()) << game.Log();
        ASSERT_TRUE(game.WaitForScreen([&] { return ShipShown(game); })) << game.Log();
    }

    TempDir dir;
    GameProcess game;
};

}  // namespace

TEST_F(WorldE2ETest, ThePausedSceneShowsTheShipAndTheBackgroundLayers) {
    // Paused, nothing moves: give the enemies the time they would need to appear.
    GameProcess::Sleep(500);
    ASSERT_TRUE(game.Screenshot());
    EXPECT_TRUE(ShipShown(game)) << game.Log();
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
    // The pause button lies at (10, 470) from the bottom left, 32 x 32.
    game.Click(26, 26);
    // The level's enemies need more than ten seconds to cross 300 pixels of the window, so
    // whenever they are seen within this wait they are still near the right edge.
    ASSERT_TRUE(game.WaitForScreen([&] { return CountEnemyPixels(game, 400, 0, 1024, 512) > 200; }))
        << game.Log();
    EXPECT_EQ(CountEnemyPixels(game, 0, 0, 300, 512), 0);
    EXPECT_TRUE(ShipShown(game));
    // The background is drawn under the running scene too.
    EXPECT_TRUE(Near(game.Pixel(600, 500), 160, 80, 0));
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(), 1);
}
