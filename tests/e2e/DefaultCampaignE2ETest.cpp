// The default game's campaign on the virtual display, played at easy by a simple player. It
// keeps to the top of the view (behind the HUD bar) through the first level's waves, firing. When
// the boss's health meter shows under the HUD bar it takes the twin shot, comes down to the middle
// of the view and keeps to the left edge, firing, until the boss is destroyed and the second level
// starts, which the log says and the screen shows. The player acts on what the screen shows, in
// short taps, never on the clock, so a slow machine only makes the run longer: a tap moves the ship
// some way and the next look at the screen corrects it, and a held key never outlasts a lost ship
// (a ship that comes back starts at rest, and a key let go of afterwards would push it on).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "support/GameProcess.h"

namespace {

const std::string kDataDir = std::string(GLIMMERAX_SOURCE_DIR) + "/data";

// Window pixels from the top-left corner. The title's start button is centred at (512, 322).
constexpr int kStartX = 512;
constexpr int kStartY = 322;
// The boss meter's notches: 10 x 18 icons 11 pixels apart from x 16, rows 54 to 71; each is
// a red shard whose left half is plain red at the middle row.
constexpr int kNotchRow = 63;
constexpr int kFirstNotchX = 19;
constexpr int kNotchStep = 11;
// The rows the ship's middle is brought to for the fight: the boss's weave keeps crossing
// them.
constexpr int kFightTop = 240;
constexpr int kFightBottom = 290;
// The waves take 142 s of play and the boss about half a minute more; a slow machine takes
// longer.
constexpr int kBossTimeoutMs = 480000;
constexpr int kFightTimeoutMs = 300000;

bool IsNotchRed(const Rgba& p) {
    return p.r > 200 && p.g < 120 && p.b < 110;
}
// The top of the ship's hull is near white with a blue tinge.
bool IsHull(const Rgba& p) {
    return p.r > 200 && p.g > 205 && p.b > 225;
}

// The notches of the boss meter in a row from the first (0 while no boss is in play).
int BossNotches(const GameProcess& game) {
    int count = 0;
    while (count < 80 && IsNotchRed(game.Pixel(kFirstNotchX + count * kNotchStep, kNotchRow))) {
        ++count;
    }
    return count;
}

// The mean row of the hull-coloured pixels at the left of the view below the HUD bar, or -1
// when there are too few: the ship is away, or up behind the bar.
int ShipRow(const GameProcess& game) {
    long sum = 0;
    int count = 0;
    for (int y = 48; y < 512; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (IsHull(game.Pixel(x, y))) {
                sum += y;
                ++count;
            }
        }
    }
    return count >= 20 ? static_cast<int>(sum / count) : -1;
}

// The second level's terrain is teal stone; the first level's is warm rock.
int ReefPixels(const GameProcess& game) {
    int count = 0;
    for (int y = 480; y < 512; ++y) {
        for (int x = 0; x < 1024; ++x) {
            const Rgba p = game.Pixel(x, y);
            count += p.g > p.r + 40 && p.b > p.r + 30 ? 1 : 0;
        }
    }
    return count;
}

void Tap(GameProcess& game, const std::string& key, int ms) {
    game.KeyDown(key);
    GameProcess::Sleep(ms);
    game.KeyUp(key);
}

// Fire is pressed anew: a lost ship lets go of the trigger.
void Refire(GameProcess& game) {
    game.KeyUp("space");
    game.KeyDown("space");
}

// Once a second: fire anew, do the player's move, look at the screen; true once shown()
// holds for the screenshot, false on timeout or when the game has ended.
bool PlayUntil(GameProcess& game, const std::function<void()>& move,
               const std::function<bool()>& shown, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 1000) {
        Refire(game);
        move();
        GameProcess::Sleep(700);
        if (game.Screenshot() && shown()) {
            return true;
        }
        if (!game.Running()) {
            return false;
        }
    }
    return false;
}

// Keeps the ship at the left edge against its drift (the view holds for the boss) and its
// middle within the fighting rows. A ship not seen is up behind the HUD bar, where the waves
// left it, or away for a moment after a lost ship (then the tap does nothing).
void FightMove(GameProcess& game) {
    Tap(game, "Left", 150);
    if (!game.Screenshot()) {
        return;
    }
    const int row = ShipRow(game);
    if (row < kFightTop) {
        Tap(game, "Down", row < 0 || row < kFightTop - 100 ? 150 : 60);
    } else if (row > kFightBottom) {
        Tap(game, "Up", row > kFightBottom + 100 ? 150 : 60);
    }
}

void WriteEasySettings(const GameProcess& game) {
    const std::string folder = game.ConfigHome() + "/glimmerax";
    ASSERT_EQ(std::system(("mkdir -p " + folder).c_str()), 0);
    std::ofstream(folder + "/settings.xml")
        << "<settings>\n  <game difficulty=\"easy\" />\n</settings>\n";
}

}  // namespace

TEST(DefaultCampaignE2E, TheFirstBossIsDestroyedAndTheSecondLevelStarts) {
    GameProcess game;
    WriteEasySettings(game);
    ASSERT_TRUE(game.Start(kDataDir));
    ASSERT_TRUE(game.WaitForWindow()) << game.Log();
    GameProcess::Sleep(1000);
    game.Click(kStartX, kStartY);
    game.MoveMouse(600, 300);  // over the playfield, away from the HUD's buttons
    game.KeyDown("space");

    ASSERT_TRUE(PlayUntil(
        game, [&] { Tap(game, "Up", 150); }, [&] { return BossNotches(game) >= 5; },
        kBossTimeoutMs))
        << "the boss's meter never showed\n"
        << game.Log();
    EXPECT_EQ(game.Log().find("Level 2 of 3"), std::string::npos) << "level 2 came before the boss";
    game.SaveScreenshot("/tmp/glimmerax-default-campaign-boss.png");
    game.Key("2");

    // The meter empties below 100 health; the level is cleared once the boss is destroyed,
    // and the second level follows after the layer between the two.
    const std::string secondLevel = "Level 2 of 3: levels/level2.xml";
    ASSERT_TRUE(PlayUntil(
        game, [&] { FightMove(game); },
        [&] { return game.Log().find(secondLevel) != std::string::npos; }, kFightTimeoutMs))
        << "the boss was not destroyed, or the second level did not start\n"
        << game.Log();
    EXPECT_TRUE(game.WaitForScreen([&] { return ReefPixels(game) > 5000; }))
        << "the second level's teal terrain is not shown";
    game.KeyUp("space");
    game.SaveScreenshot("/tmp/glimmerax-default-campaign-level2.png");
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(), 1);
}
