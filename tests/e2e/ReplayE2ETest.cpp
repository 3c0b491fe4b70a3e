// The default game in data/, played briefly with keys (motion blur on for a while) and quit:
// the game it wrote as last.gxr verifies on the same data (exit status 0), and watching it
// opens the window and ends on Escape.
#include <gtest/gtest.h>

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
