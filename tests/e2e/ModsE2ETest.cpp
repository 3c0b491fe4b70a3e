// The real binary with mods and live reload: the example mod lies over the default data and
// is named on the log and the title; a missing mod is one line; with --watch a level file
// changed during play is read again within two seconds.

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

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

TEST(ModsE2E, WatchedLevelChangedDuringPlayRestartsWithinTwoSeconds) {
    TempDir data;
    data.CopyFrom(kSource + "/data");
    GameProcess game;
    game.SetArguments({"--watch"});
    ASSERT_TRUE(game.Start(data.Path()));
    ASSERT_TRUE(game.WaitForWindow(15000)) << game.Log();
    game.Key("p");
    GameProcess::Sleep(1000);

    const std::string path = data.Path() + "/levels/level1.xml";
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    std::string level = text.str();
    const std::string first = "<position x=\"20\" y=\"330\"/>";
    const size_t at = level.find(first);
    ASSERT_NE(at, std::string::npos);
    level.replace(at, first.size(), "<position x=\"20\" y=\"120\"/>");
    const auto changed = std::chrono::steady_clock::now();
    std::ofstream(path, std::ios::binary) << level;
    ASSERT_TRUE(game.WaitForLog("Reloading the level levels/level1.xml", 2000)) << game.Log();
    const auto latency = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - changed);
    std::cout << "level reload seen on the log after " << latency.count() << " ms\n";
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(15000), 1);
}
