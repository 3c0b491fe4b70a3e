// The whole game on the virtual display with the game-flow data set (tests/data/flow): start
// paused, the start button, the HUD meters, steering, firing and scoring, losing every life on
// the terrain, clearing an empty level, and the two ways of quitting.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/GameProcess.h"
#include "support/TempDir.h"

namespace {

// Window layout of the data set, in screenshot pixels (from the top-left corner).
constexpr int START_X = 480, START_Y = 256;  // start button centre
constexpr int QUIT_X = 480, QUIT_Y = 336;    // quit button centre
constexpr int PANEL_X = 512, PANEL_Y = 256;  // game-over / game-complete panel centre
constexpr int TITLE_X = 480, TITLE_Y = 160;  // title panel centre
constexpr int HEALTH_ROW = 16;               // row through the health icons
constexpr int LIVES_ROW = 40;                // row through the lives icons

bool IsShip(const Rgba& p) {
    return p.g > 200 && p.r < 80 && p.b < 80;
}
bool IsEnemy(const Rgba& p) {
    return p.r > 200 && p.g < 60 && p.b < 60;
}
bool IsShot(const Rgba& p) {
    return p.r > 200 && p.g > 200 && p.b < 80;
}
bool IsHealthIcon(const Rgba& p) {
    return p.r > 200 && p.g > 90 && p.g < 170 && p.b < 60;
}
bool IsLifeIcon(const Rgba& p) {
    return p.r > 200 && p.g < 60 && p.b > 90 && p.b < 170;
}
bool IsGrey(const Rgba& p) {
    return p.r > 100 && p.r < 160 && p.g > 100 && p.g < 160 && p.b > 100 && p.b < 160;
}
bool IsViolet(const Rgba& p) {
    return p.r > 130 && p.g < 40 && p.b > 130;
}
bool IsTeal(const Rgba& p) {
    return p.r < 40 && p.g > 130 && p.b > 130;
}
bool IsCyan(const Rgba& p) {
    return p.r < 60 && p.g > 200 && p.b > 200;
}
bool IsBlue(const Rgba& p) {
    return p.r < 60 && p.g < 60 && p.b > 200;
}

// The bounding box of every pixel of one colour in the last screenshot.
struct Found {
    int count = 0;
    int minX = INT_MAX;
    int maxX = -1;
};

class GameFlowE2E : public ::testing::Test {
protected:
    // Copies the data set into a fresh folder, with config.xml naming the given level file.
    void StartGame(const std::string& level = "level.xml") {
        const std::string data = std::string(GLIMMERAX_TEST_DATA) + "/flow";
        m_dir.CopyFrom(data);
        std::ifstream in(data + "/config.xml");
        std::stringstream config;
        config << in.rdbuf();
        std::string text = config.str();
        const std::string from = "level=\"level.xml\"";
        text.replace(text.find(from), from.size(), "level=\"" + level + "\"");
        m_dir.Write("config.xml", text);
        ASSERT_TRUE(m_game.Start(m_dir.Path()));
        ASSERT_TRUE(m_game.WaitForWindow()) << m_game.Log();
        ASSERT_TRUE(m_game.WaitForScreen([&] { return IsGrey(m_game.Pixel(TITLE_X, TITLE_Y)); }))
            << "the title layer did not appear\n"
            << m_game.Log();
    }

    // Clicks the start button and waits until the HUD has replaced the title.
    void ClickStart() {
        m_game.Click(START_X, START_Y);
        ASSERT_TRUE(m_game.WaitForScreen([&] { return CountRuns(HEALTH_ROW, IsHealthIcon) > 0; }))
            << "the HUD did not appear\n"
            << m_game.Log();
    }

    Found Find(bool (*match)(const Rgba&)) const {
        Found found;
        for (int y = 0; y < 512; ++y) {
            for (int x = 0; x < 1024; ++x) {
                if (match(m_game.Pixel(x, y))) {
                    ++found.count;
                    found.minX = std::min(found.minX, x);
                    found.maxX = std::max(found.maxX, x);
                }
            }
        }
        return found;
    }

    // Number of separate runs of matching pixels along one row: the icons of a meter.
    int CountRuns(int row, bool (*match)(const Rgba&)) const {
        int runs = 0;
        bool inside = false;
        for (int x = 0; x < 1024; ++x) {
            const bool now = match(m_game.Pixel(x, row));
            runs += now && !inside ? 1 : 0;
            inside = now;
        }
        return runs;
    }

    // Leftmost lit pixel of the points number (right-aligned at the top-right corner).
    int PointsLeftEdge() const {
        for (int x = 940; x < 1024; ++x) {
            for (int y = 0; y < 20; ++y) {
                const Rgba p = m_game.Pixel(x, y);
                if (p.r > 100 && p.g > 100 && p.b > 100) {
                    return x;
                }
            }
        }
        return INT_MAX;
    }

    TempDir m_dir;
    GameProcess m_game;
};

TEST_F(GameFlowE2E, StartsPausedAndTheStartButtonRunsTheGame) {
    StartGame();
    const Found ship = Find(IsShip);
    ASSERT_GT(ship.count, 0);
    EXPECT_TRUE(IsBlue(m_game.Pixel(START_X, START_Y)));
    // Paused: a held direction key changes the velocity but nothing moves.
    m_game.KeyDown("Right");
    GameProcess::Sleep(600);
    ASSERT_TRUE(m_game.Screenshot());
    EXPECT_EQ(Find(IsShip).minX, ship.minX);
    m_game.KeyUp("Right");
    // The pointer over the start button shows its hover frame.
    m_game.MoveMouse(START_X, START_Y);
    EXPECT_TRUE(m_game.WaitForScreen([&] { return IsCyan(m_game.Pixel(START_X, START_Y)); }));
    ClickStart();
    EXPECT_FALSE(IsGrey(m_game.Pixel(TITLE_X, TITLE_Y)));
    // Running: the target enemy enters play.
    EXPECT_TRUE(m_game.WaitForScreen([&] { return Find(IsEnemy).count > 0; })) << m_game.Log();
}

TEST_F(GameFlowE2E, HudShowsHealthLivesAndPoints) {
    StartGame();
    ClickStart();
    ASSERT_TRUE(m_game.Screenshot());
    EXPECT_EQ(CountRuns(HEALTH_ROW, IsHealthIcon), 10);  // 100 health, one icon per 10
    EXPECT_EQ(CountRuns(LIVES_ROW, IsLifeIcon), 3);
    const int left = PointsLeftEdge();
    EXPECT_GE(left, 995) << "0 points is one glyph wide";
    EXPECT_LT(left, 1016);
}

TEST_F(GameFlowE2E, ArrowsMoveTheShipAndItStopsOnRelease) {
    StartGame();
    ClickStart();
    const int startX = Find(IsShip).minX;
    m_game.KeyDown("Right");
    const bool moved = m_game.WaitForScreen([&] { return Find(IsShip).minX > startX + 40; });
    m_game.KeyUp("Right");
    ASSERT_TRUE(moved) << "the ship did not move right";
    GameProcess::Sleep(300);
    ASSERT_TRUE(m_game.Screenshot());
    const int stoppedX = Find(IsShip).minX;
    GameProcess::Sleep(600);
    ASSERT_TRUE(m_game.Screenshot());
    EXPECT_EQ(Find(IsShip).minX, stoppedX) << "the ship kept moving after the release";
}

TEST_F(GameFlowE2E, SpaceFiresAndADestroyedEnemyAddsSixtyPoints) {
    StartGame();
    ClickStart();
    ASSERT_TRUE(m_game.WaitForScreen([&] { return Find(IsEnemy).count > 0; })) << m_game.Log();
    EXPECT_GE(PointsLeftEdge(), 995);
    m_game.KeyDown("space");
    const bool fired = m_game.WaitForScreen([&] { return Find(IsShot).count > 0; }, 5000);
    m_game.KeyUp("space");
    EXPECT_TRUE(fired) << "no shot was seen";
    ASSERT_TRUE(m_game.WaitForScreen([&] { return Find(IsEnemy).count == 0; }))
        << "the enemy survived";
    EXPECT_TRUE(m_game.WaitForScreen([&] { return PointsLeftEdge() < 995; }))
        << "the points meter does not show two digits";
    // Still the HUD: the second enemy waits, so the level is not cleared.
    EXPECT_EQ(CountRuns(HEALTH_ROW, IsHealthIcon), 10);
}

TEST_F(GameFlowE2E, TerrainTakesTheLivesOneByOneThenTheGameIsOver) {
    StartGame("level_terrain.xml");
    ClickStart();
    std::vector<int> seen;
    const bool over = m_game.WaitForScreen(
        [&] {
            if (IsViolet(m_game.Pixel(PANEL_X, PANEL_Y))) {
                return true;
            }
            const int lives = CountRuns(LIVES_ROW, IsLifeIcon);
            if (seen.empty() || seen.back() != lives) {
                seen.push_back(lives);
            }
            return false;
        },
        60000);
    ASSERT_TRUE(over) << "no game-over layer\n" << m_game.Log();
    // Lives only go down, one at a time, to none.
    ASSERT_GE(seen.size(), 3u);
    for (size_t i = 1; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i], seen[i - 1] - 1);
    }
    EXPECT_EQ(seen.back(), 0);
    EXPECT_EQ(CountRuns(HEALTH_ROW, IsHealthIcon), 0) << "the HUD is no longer shown";
    // The dead ship is gone for good.
    EXPECT_EQ(Find(IsShip).count, 0);
}

TEST_F(GameFlowE2E, LevelWithoutEnemiesShowsTheGameCompleteLayer) {
    StartGame("level_empty.xml");
    m_game.Click(START_X, START_Y);
    EXPECT_TRUE(m_game.WaitForScreen([&] { return IsTeal(m_game.Pixel(PANEL_X, PANEL_Y)); }))
        << m_game.Log();
}

TEST_F(GameFlowE2E, QuitButtonEndsTheGameWithStatusOne) {
    StartGame();
    m_game.Click(QUIT_X, QUIT_Y);
    EXPECT_EQ(m_game.WaitExit(10000), 1);
}

TEST_F(GameFlowE2E, EscapeEndsTheGameWithStatusOne) {
    StartGame();
    ClickStart();
    m_game.Key("Escape");
    EXPECT_EQ(m_game.WaitExit(10000), 1);
}

}  // namespace
