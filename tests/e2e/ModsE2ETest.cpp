// The real binary with mods and live reload: the example mod lies over the default data and
// is named on the log and the title; a missing mod is one line; with --watch a level file
// changed during play is read again within two seconds, a ship's sheet broken during play
// leaves the ship as it was with its problem on screen until a new sheet shows, and a change
// of config.xml asks for a restart.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "png/PngEncoder.h"
#include "support/GameProcess.h"
#include "support/TempDir.h"

namespace {

const std::string kSource = GLIMMERAX_SOURCE_DIR;

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

long long MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now() - start)
        .count();
}

std::string ReadFile(const std::string& path) {
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// Replaces the file at once (written beside it, then renamed), as editors save.
void ReplaceFile(const std::string& path, const std::string& content) {
    std::ofstream(path + ".new", std::ios::binary) << content;
    std::rename((path + ".new").c_str(), path.c_str());
}

// Window pixels from the top-left: the start button of the title, and the band at the top
// where the problems overlay writes its first line (over the HUD bar, dark there).
constexpr int kStartX = 512;
constexpr int kStartY = 322;
constexpr int kOverlayX0 = 8;
constexpr int kOverlayX1 = 400;
constexpr int kOverlayY1 = 14;

bool IsMagenta(const Rgba& p) {
    return p.r > 200 && p.g < 60 && p.b > 200;
}

int CountMagenta(const GameProcess& game) {
    int count = 0;
    for (int y = 0; y < 512; y += 2) {
        for (int x = 0; x < 1024; x += 2) {
            count += IsMagenta(game.Pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

// Light pixels in the band where the problems overlay writes its first line: its letters.
int OverlayLetters(const GameProcess& game) {
    int count = 0;
    for (int y = 0; y < kOverlayY1; ++y) {
        for (int x = kOverlayX0; x < kOverlayX1; ++x) {
            const Rgba p = game.Pixel(x, y);
            count += p.r > 150 && p.g > 150 && p.b > 150 ? 1 : 0;
        }
    }
    return count;
}

}  // namespace

TEST(ModsE2E, ExampleModIsLaidOverTheDataAndAMissingModIsOneLine) {
    TempDir data;
    data.CopyFrom(kSource + "/data");
    GameProcess game;
    game.SetArguments({"--mod", kSource + "/tools/example-mod", "--mod", data.Path() + "/none"});
    ASSERT_TRUE(game.Start(data.Path()));
    ASSERT_TRUE(game.WaitForWindow(15000)) << game.Log();
    ASSERT_TRUE(game.WaitForLog("Active mods shown on the title: MODS: EXAMPLE\n")) << game.Log();
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(15000), 1);
    const std::string log = game.Log();
    EXPECT_EQ(Count(log, "Mod Example replaces images/ship.png (from data)\n"), 1u) << log;
    EXPECT_EQ(Count(log, "Mod Example replaces levels/level1.xml (from data)\n"), 1u) << log;
    EXPECT_EQ(Count(log, "/none"), 1u) << log;
}

// Magenta pixels in the window rows [y0, y1) of the last screenshot.
int CountMagentaRows(const GameProcess& game, int y0, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = 0; x < 1024; x += 2) {
            count += IsMagenta(game.Pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

// The darts are drawn magenta so the first one can be found on screen. Its new height (y 120
// from the bottom: window rows 360 to 392) shows within two seconds of the save, and since
// the new level also sends it at once, no other dart can be there yet.
TEST(ModsE2E, WatchedLevelChangedDuringPlayRestartsWithinTwoSeconds) {
    TempDir data;
    data.CopyFrom(kSource + "/data");
    std::vector<unsigned char> rgb(48 * 64 * 3, 0);
    for (size_t i = 0; i < rgb.size(); i += 3) {
        rgb[i] = 255;
        rgb[i + 2] = 255;
    }
    ReplaceFile(data.Path() + "/images/dart.png", PngEncoder::EncodeRgb(rgb.data(), 48, 64));
    GameProcess game;
    game.SetArguments({"--watch"});
    ASSERT_TRUE(game.Start(data.Path()));
    ASSERT_TRUE(game.WaitForWindow(15000)) << game.Log();
    game.Click(kStartX, kStartY);
    GameProcess::Sleep(1000);
    ASSERT_TRUE(game.Screenshot());
    ASSERT_LT(CountMagentaRows(game, 340, 410), 10) << "a dart is already at the new height";

    const std::string path = data.Path() + "/levels/level1.xml";
    std::string level = ReadFile(path);
    const std::string first = "time=\"2000\" health=\"40\">\n    <behaviour type=\"normal\"/>\n"
                              "    <projectile shoots=\"no\"/>\n    <position x=\"20\" y=\"330\"/>";
    const size_t at = level.find(first);
    ASSERT_NE(at, std::string::npos);
    level.replace(at, first.size(),
                  "time=\"0\" health=\"40\">\n    <behaviour type=\"normal\"/>\n"
                  "    <projectile shoots=\"no\"/>\n    <position x=\"20\" y=\"120\"/>");
    const auto changed = std::chrono::steady_clock::now();
    ReplaceFile(path, level);
    ASSERT_TRUE(game.WaitForLog("Reloading the level levels/level1.xml", 2000)) << game.Log();
    std::cout << "level reload seen on the log after " << MillisecondsSince(changed) << " ms\n";
    const long long left = 2000 - MillisecondsSince(changed);
    EXPECT_TRUE(game.WaitForScreen([&] { return CountMagentaRows(game, 340, 410) > 100; },
                                   static_cast<int>(left > 0 ? left : 0)))
        << "the first dart is not at its new height";
    std::cout << "moved dart on screen after " << MillisecondsSince(changed) << " ms\n";
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(15000), 1);
}

TEST(ModsE2E, WatchedSheetBrokenIsOnScreenUntilFixedAndAConfigChangeAsksForARestart) {
    TempDir data;
    data.CopyFrom(kSource + "/data");
    GameProcess game;
    game.SetArguments({"--watch"});
    ASSERT_TRUE(game.Start(data.Path()));
    ASSERT_TRUE(game.WaitForWindow(15000)) << game.Log();
    game.Click(kStartX, kStartY);
    GameProcess::Sleep(1000);
    ASSERT_TRUE(game.Screenshot());
    ASSERT_EQ(OverlayLetters(game), 0) << "the band is not clear before the change";

    const std::string sheet = data.Path() + "/images/ship.png";
    ReplaceFile(sheet, ReadFile(sheet).substr(0, 100));
    const std::string problem =
        "CSprite: Image \"images/ship.png\" of sprite \"ship\" in sets/sprites.xml is missing or "
        "not a usable PNG";
    ASSERT_TRUE(game.WaitForLog(problem, 3000)) << game.Log();
    EXPECT_TRUE(game.WaitForScreen([&] { return OverlayLetters(game) > 200; }, 3000))
        << "the problem is not on screen";
    EXPECT_TRUE(game.Running());

    // A magenta ship, 64 x 128 as the sheet was.
    std::vector<unsigned char> rgb(64 * 128 * 3, 0);
    for (size_t i = 0; i < rgb.size(); i += 3) {
        rgb[i] = 255;
        rgb[i + 2] = 255;
    }
    const auto fixed = std::chrono::steady_clock::now();
    ReplaceFile(sheet, PngEncoder::EncodeRgb(rgb.data(), 64, 128));
    ASSERT_TRUE(game.WaitForLog("CSprite: Sprite set sets/sprites.xml read again (0 sprites left "
                                "as they were)\n",
                                3000))
        << game.Log();
    const long long read = MillisecondsSince(fixed);
    ASSERT_TRUE(game.WaitForScreen([&] { return CountMagenta(game) > 200; }, 3000))
        << "the new sheet is not on screen";
    std::cout << "new ship sheet read again after " << read << " ms, on screen after "
              << MillisecondsSince(fixed) << " ms\n";
    EXPECT_TRUE(game.WaitForScreen([&] { return OverlayLetters(game) < 20; }, 3000))
        << "the problem is still on screen";

    // The window's size is read at start-up only: the change says so, on screen too.
    const std::string config = data.Path() + "/config.xml";
    std::string text = ReadFile(config);
    const size_t width = text.find("width=\"1024\"");
    ASSERT_NE(width, std::string::npos);
    ReplaceFile(config, text.replace(width, 12, "width=\"800\""));
    EXPECT_TRUE(game.WaitForLog("config.xml changed: restart the game to use it\n", 3000))
        << game.Log();
    EXPECT_TRUE(game.WaitForScreen([&] { return OverlayLetters(game) > 200; }, 3000))
        << "the restart is not asked for on screen";
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(15000), 1);
    EXPECT_EQ(Count(game.Log(), problem), 1u) << game.Log();
}
