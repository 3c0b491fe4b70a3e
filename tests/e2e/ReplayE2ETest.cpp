// The default game in data/, played briefly with keys (motion blur on for a while) and quit:
// the game it wrote as last.gxr verifies on the same data (exit status 0), and watching it
// opens the window and ends on Escape.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/GameProcess.h"
#include "support/TempDir.h"

namespace {

const std::string kDataDir = std::string(GLIMMERAX_SOURCE_DIR) + "/data";

// The title's start button, in window pixels from the top-left corner.
constexpr int kStartX = 512;
constexpr int kStartY = 322;

// Runs the game with arguments in the data folder; its exit status.
int RunIn(const std::string& arguments, std::string& output) {
    output = GameProcess::RunCapture("cd '" + kDataDir + "' && '" + GLIMMERAX_BINARY + "' " +
                                     arguments + " 2>&1; echo \"status=$?\"");
    const size_t at = output.rfind("status=");
    return at == std::string::npos ? -1 : std::stoi(output.substr(at + 7));
}

// Pixels of the title's "watch best run" plate (blue, unlike the stars behind it).
int WatchButtonPixels(const GameProcess& game) {
    int count = 0;
    for (int y = 244; y < 288; y += 2) {
        for (int x = 812; x < 1004; x += 2) {
            const Rgba pixel = game.Pixel(x, y);
            count += pixel.b > 90 && pixel.b > pixel.r + 40 ? 1 : 0;
        }
    }
    return count;
}

}  // namespace

TEST(ReplayE2E, AShortGameQuitWithEscapeVerifiesFromLastGxr) {
    TempDir home;
    GameProcess game;
    game.SetEnvironment("XDG_DATA_HOME", home.Path());
    ASSERT_TRUE(game.Start(kDataDir));
    ASSERT_TRUE(game.WaitForWindow()) << game.Log();
    GameProcess::Sleep(500);
    game.Click(kStartX, kStartY);
    GameProcess::Sleep(500);
    game.KeyDown("space");
    game.KeyDown("Up");
    GameProcess::Sleep(300);
    game.KeyUp("Up");
    game.Key("4");
    // Motion blur: two updates of the world per update of the loop, each recorded.
    game.Key("n");
    GameProcess::Sleep(1500);
    game.Key("n");
    game.Key("m");
    game.KeyDown("Down");
    GameProcess::Sleep(400);
    game.KeyUp("Down");
    GameProcess::Sleep(1500);
    game.KeyUp("space");
    game.Key("Escape");
    ASSERT_EQ(game.WaitExit(), 1) << game.Log();

    const std::string replay = home.Path() + "/glimmerax/replays/last.gxr";
    std::string output;
    EXPECT_EQ(RunIn("--replay '" + replay + "' --verify", output), 0) << output;
    EXPECT_NE(output.find("checkpoints match"), std::string::npos) << output;

    GameProcess watch;
    watch.SetEnvironment("XDG_DATA_HOME", home.Path());
    watch.SetArguments({"--replay", replay});
    ASSERT_TRUE(watch.Start(kDataDir));
    ASSERT_TRUE(watch.WaitForWindow()) << watch.Log();
    GameProcess::Sleep(1000);
    watch.Key("4");
    GameProcess::Sleep(500);
    watch.Key("Escape");
    EXPECT_EQ(watch.WaitExit(), 0) << watch.Log();
    // Watching records nothing: last.gxr is still the game played.
    EXPECT_EQ(RunIn("--replay '" + replay + "' --verify", output), 0) << output;
}

TEST(ReplayE2E, TheTitleOffersTheBestRunOnlyWhileItIsKeptAndWatchingItReturnsToTheTitle) {
    TempDir home;
    home.Write("glimmerax/scores.xml",
               "<scores><score points=\"900\" date=\"2026-03-03T10:00:00Z\"/></scores>");
    GameProcess without;
    without.SetEnvironment("XDG_DATA_HOME", home.Path());
    ASSERT_TRUE(without.Start(kDataDir));
    ASSERT_TRUE(without.WaitForWindow()) << without.Log();
    GameProcess::Sleep(500);
    ASSERT_TRUE(without.Screenshot());
    EXPECT_LT(WatchButtonPixels(without), 20);
    without.Key("Escape");
    ASSERT_EQ(without.WaitExit(), 1) << without.Log();

    std::filesystem::create_directories(home.Path() + "/glimmerax/replays");
    std::filesystem::copy_file(std::string(GLIMMERAX_SOURCE_DIR) + "/tests/replays/clear-level.gxr",
                               home.Path() + "/glimmerax/replays/best-2026-03-03T10-00-00Z.gxr");
    GameProcess game;
    game.SetEnvironment("XDG_DATA_HOME", home.Path());
    ASSERT_TRUE(game.Start(kDataDir));
    ASSERT_TRUE(game.WaitForWindow()) << game.Log();
    EXPECT_TRUE(game.WaitForScreen([&] { return WatchButtonPixels(game) > 500; }));
    game.Click(908, 266);
    EXPECT_TRUE(game.WaitForLog("Watching the best run " + home.Path() +
                                "/glimmerax/replays/best-2026-03-03T10-00-00Z.gxr"))
        << game.Log();
    GameProcess::Sleep(1000);
    game.Key("Escape");  // ends the watching: the title again, the offer still there
    EXPECT_TRUE(game.WaitForScreen([&] { return WatchButtonPixels(game) > 500; }));
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(), 1) << game.Log();
}
