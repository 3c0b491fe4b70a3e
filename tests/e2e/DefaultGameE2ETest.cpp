// The default game in data/, played as a newcomer would: start it from the title screen, see
// the HUD, meet the first enemies, fire, and watch the score rise.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "support/GameProcess.h"

namespace {

const std::string kDataDir = std::string(GLIMMERAX_SOURCE_DIR) + "/data";

// Window pixels from the top-left corner. The title's start button is centred at (512, 322);
// the HUD bar is the top 48 rows: health icons from x 96, the score digits from x 630.
constexpr int kStartX = 512;
constexpr int kStartY = 322;

bool IsEnemyRed(const Rgba& p) {
    return p.r > 160 && p.g < 110 && p.b < 120;
}
bool IsShotCyan(const Rgba& p) {
    return p.r < 150 && p.g > 170 && p.b > 180;
}
bool IsHealthGreen(const Rgba& p) {
    return p.g > 150 && p.r < 150 && p.b < 200 && p.g > p.b;
}
bool IsDigitWhite(const Rgba& p) {
    return p.r > 200 && p.g > 200 && p.b > 200;
}

template <typename Test>
int Count(const GameProcess& game, int x0, int y0, int x1, int y1, Test test) {
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            count += test(game.Pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

// The playfield between the HUD bar and the terrain band.
int EnemyPixels(const GameProcess& game) {
    return Count(game, 400, 56, 1024, 400, IsEnemyRed);
}
int ShotPixels(const GameProcess& game) {
    return Count(game, 200, 56, 1024, 400, IsShotCyan);
}
int ScorePixels(const GameProcess& game) {
    return Count(game, 630, 4, 900, 44, IsDigitWhite);
}

// A clean start-up logs only progress: set-up steps and one line per loaded sprite.
bool IsProgressLine(const std::string& line) {
    static const char* const kProgress[] = {"SDL Initialised!",
                                            "SDL SetVideoMode worked correctly!",
                                            "OpenGL Viewport and whatnot set.",
                                            "GLEW initialised!",
                                            "FBO Initialised!",
                                            "Renderbuffer initialised!",
                                            "Framebuffers created!",
                                            "Renderbuffer created!",
                                            "InitGL completed.",
                                            "Accumulation buffer: "};
    for (const char* progress : kProgress) {
        if (line.rfind(progress, 0) == 0) {
            return true;
        }
    }
    return line.rfind("CSprite: Sprite \"", 0) == 0 && line.size() > 8 &&
           line.compare(line.size() - 8, 8, "\" Loaded") == 0;
}

}  // namespace

TEST(DefaultGameE2E, EveryDataFileLoadsWithoutAnErrorLine) {
    GameProcess game;
    ASSERT_TRUE(game.Start(kDataDir));
    ASSERT_TRUE(game.WaitForWindow());
    ASSERT_TRUE(game.WaitForLog("InitGL completed."));
    GameProcess::Sleep(1000);
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(), 1);
    std::istringstream log(game.Log());
    std::string line;
    int sprites = 0;
    while (std::getline(log, line)) {
        EXPECT_TRUE(IsProgressLine(line)) << "unexpected log line: " << line;
        sprites += line.rfind("CSprite:", 0) == 0 ? 1 : 0;
    }
    EXPECT_GE(sprites, 20);
}

TEST(DefaultGameE2E, StartTheGameMeetTheEnemiesFireAndScore) {
    GameProcess game;
    ASSERT_TRUE(game.Start(kDataDir));
    ASSERT_TRUE(game.WaitForWindow());
    GameProcess::Sleep(1000);
    game.Click(kStartX, kStartY);
    game.MoveMouse(600, 300);  // over the playfield, away from the HUD's buttons
    GameProcess::Sleep(700);
    ASSERT_TRUE(game.Screenshot());
    EXPECT_GT(Count(game, 96, 4, 240, 44, IsHealthGreen), 50) << "no health meter in the HUD";
    const int scoreAtStart = ScorePixels(game);
    EXPECT_GT(scoreAtStart, 20) << "no score in the HUD";

    game.Key("3");
    game.KeyDown("space");
    int enemiesSeen = 0;
    int shotsSeen = 0;
    bool scoreRose = false;
    for (int second = 0; second < 25 && !(enemiesSeen && shotsSeen && scoreRose); ++second) {
        GameProcess::Sleep(1000);
        ASSERT_TRUE(game.Screenshot());
        enemiesSeen = std::max(enemiesSeen, EnemyPixels(game));
        shotsSeen = std::max(shotsSeen, ShotPixels(game));
        scoreRose = scoreRose || ScorePixels(game) > scoreAtStart + 20;
    }
    game.KeyUp("space");
    game.SaveScreenshot("/tmp/glimmerax-default-game-e2e.png");
    EXPECT_GT(enemiesSeen, 100) << "no enemy came in";
    EXPECT_GT(shotsSeen, 20) << "no shot was fired";
    EXPECT_TRUE(scoreRose) << "the score did not rise";
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(), 1);
}
