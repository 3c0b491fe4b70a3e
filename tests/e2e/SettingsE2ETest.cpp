// The command line and the player's settings file with the real binary: each option's exit
// status and output, a data folder played from elsewhere, and a settings file whose volume and
// rebound key are in effect in every run that reads it, left as it was by the game.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "support/GameProcess.h"
#include "support/TempDir.h"

namespace {

const std::string kFlowData = std::string(GLIMMERAX_TEST_DATA) + "/flow";

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The binary's standard output (or standard error, with errors) and exit status, run in an
// empty folder so that no game can start by mistake.
std::string RunBinary(const std::string& arguments, bool errors = false) {
    TempDir empty;
    const std::string streams = errors ? " 2>&1 >/dev/null" : " 2>/dev/null";
    return GameProcess::RunCapture("cd " + empty.Path() + " && " + GLIMMERAX_BINARY + " " +
                                   arguments + streams + "; echo \"status $?\"");
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(SettingsE2ETest, HelpAndVersionExitZeroAndAnUnknownOptionPrintsTheUsageAndExitsTwo) {
    const std::string help = RunBinary("--help");
    EXPECT_NE(help.find("Usage: glimmerax"), std::string::npos) << help;
    EXPECT_NE(help.find("--fullscreen"), std::string::npos) << help;
    EXPECT_TRUE(EndsWith(help, "status 0\n")) << help;

    const std::string version = RunBinary("--version");
    EXPECT_EQ(version.rfind("glimmerax ", 0), 0u) << version;
    EXPECT_NE(version.find('.'), std::string::npos) << version;
    EXPECT_TRUE(EndsWith(version, "status 0\n")) << version;

    const std::string unknown = RunBinary("--bogus", true);
    EXPECT_NE(unknown.find("unknown option --bogus"), std::string::npos) << unknown;
    EXPECT_NE(unknown.find("Usage: glimmerax"), std::string::npos) << unknown;
    EXPECT_TRUE(EndsWith(unknown, "status 2\n")) << unknown;

    EXPECT_TRUE(EndsWith(RunBinary("--data", true), "status 2\n"));
    EXPECT_TRUE(EndsWith(RunBinary("--data /nonexistent/folder", true), "status 2\n"));
    EXPECT_EQ(RunBinary("--help --bogus"), "status 2\n") << "nothing runs from a bad command line";
}

// Played from elsewhere, F12 saves the picture as a PNG named in one log line.
TEST(SettingsE2ETest, DataFolderIsPlayedFromAnyWorkingDirectoryAndF12SavesAScreenshot) {
    TempDir elsewhere;
    GameProcess game;
    game.SetArguments({"--data", kFlowData, "--windowed", "--mute"});
    ASSERT_TRUE(game.Start(elsewhere.Path()));
    ASSERT_TRUE(game.WaitForWindow()) << game.Log();
    game.Key("F12");
    const std::string saved = "Screenshot saved: " + game.DataHome() + "/glimmerax/screenshots/";
    ASSERT_TRUE(game.WaitForLog(saved)) << game.Log();
    const std::string log = game.Log();
    const size_t at = log.find(saved) + saved.find(game.DataHome());
    const std::string path = log.substr(at, log.find('\n', at) - at);
    // The signature, and the IHDR's width and height: the picture's 1024 x 512.
    EXPECT_EQ(ReadAll(path).substr(0, 24), std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR"
                                                       "\0\0\x04\0\0\0\x02\0", 24));
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(), 1);
    EXPECT_EQ(game.Log().find("config.xml"), std::string::npos)
        << "config.xml was found: " << game.Log();
}

// The settings file rebinds quit to Q and sets the master volume; both hold in every run.
TEST(SettingsE2ETest, AVolumeAndABindingFromTheSettingsFileHoldRunAfterRun) {
    GameProcess game;
    const std::string folder = game.ConfigHome() + "/glimmerax";
    ASSERT_EQ(system(("mkdir -p " + folder).c_str()), 0);
    const std::string settings =
        "<settings>\n  <sound master=\"35\" />\n  <bind action=\"quit\" key=\"q\" />\n</settings>\n";
    std::ofstream(folder + "/settings.xml") << settings;
    for (int run = 0; run < 2; ++run) {
        ASSERT_TRUE(game.Start(kFlowData));
        ASSERT_TRUE(game.WaitForWindow()) << game.Log();
        ASSERT_TRUE(game.WaitForLog("master volume 35")) << game.Log();
        game.Key("Escape");
        GameProcess::Sleep(500);
        EXPECT_TRUE(game.Running()) << "Escape no longer quits (run " << run << ")";
        game.Key("q");
        EXPECT_EQ(game.WaitExit(), 1) << "Q quits (run " << run << ")";
        EXPECT_EQ(ReadAll(folder + "/settings.xml"), settings) << "the player's file is kept";
    }
}

// How many times the frame ring was built: once at start-up, and again on every switch of full
// screen, which here always opens the video mode anew.
int RingBuilds(const std::string& log) {
    int builds = 0;
    for (size_t at = log.find("Framebuffers created!"); at != std::string::npos;
         at = log.find("Framebuffers created!", at + 1)) {
        ++builds;
    }
    return builds;
}

// F11 is remembered in the settings file: the next start opens in full screen, unless the
// command line asks for a window.
TEST(SettingsE2ETest, FullScreenChosenWithF11IsTheNextStartsAndTheCommandLineOverridesIt) {
    GameProcess game;
    game.SetEnvironment("GLIMMERAX_TEST_REOPEN_VIDEO_MODE", "1");
    const std::string file = game.ConfigHome() + "/glimmerax/settings.xml";
    ASSERT_TRUE(game.Start(kFlowData));
    ASSERT_TRUE(game.WaitForWindow()) << game.Log();
    GameProcess::Sleep(300);
    EXPECT_EQ(RingBuilds(game.Log()), 1) << game.Log();
    game.Key("F11");
    GameProcess::Sleep(1000);
    EXPECT_EQ(RingBuilds(game.Log()), 2) << game.Log();
    game.Key("Escape");
    ASSERT_EQ(game.WaitExit(), 1);
    const std::string saved = ReadAll(file);
    EXPECT_NE(saved.find("<video fullscreen=\"yes\" />"), std::string::npos) << saved;

    ASSERT_TRUE(game.Start(kFlowData));
    ASSERT_TRUE(game.WaitForWindow()) << game.Log();
    GameProcess::Sleep(1000);
    EXPECT_EQ(RingBuilds(game.Log()), 2) << "starts in full screen: " << game.Log();
    game.Key("Escape");
    ASSERT_EQ(game.WaitExit(), 1);

    game.SetArguments({"--windowed"});
    ASSERT_TRUE(game.Start(kFlowData));
    ASSERT_TRUE(game.WaitForWindow()) << game.Log();
    GameProcess::Sleep(1000);
    EXPECT_EQ(RingBuilds(game.Log()), 1) << game.Log();
    game.Key("Escape");
    ASSERT_EQ(game.WaitExit(), 1);
    EXPECT_EQ(ReadAll(file), saved) << "the command line's choice is not written";
}

}  // namespace

TEST(SettingsE2ETest, AResizedWindowShowsThePictureScaledAndLetterboxedAndItsButtonsClick) {
    GameProcess game;
    ASSERT_TRUE(game.Start(std::string(GLIMMERAX_SOURCE_DIR) + "/data"));
    ASSERT_TRUE(game.WaitForWindow()) << game.Log();
    game.Resize(1200, 800);
    // 1200 / 1024 = 1.17 across, 800 / 512 = 1.56 down: 1200 x 600, 100 rows above and below.
    ASSERT_TRUE(game.WaitForLog("Video mode 1200 x 800: the 1024 x 512 picture is scaled by 1.17."))
        << game.Log();
    EXPECT_TRUE(game.WaitForScreen([&] {
        return game.CountLit(0, 0, 1200, 98) == 0 && game.CountLit(0, 702, 1200, 800) == 0 &&
               game.CountLit(0, 102, 1200, 698) > 200000;
    })) << "no letterboxed picture";
    // The quit button's middle is the picture's (512, 132) from its lower left: the window's
    // (600, 545) now. Where it was before the resize there is no button any more.
    game.Click(512, 380);
    GameProcess::Sleep(600);
    EXPECT_TRUE(game.Running());
    game.Click(600, 545);
    EXPECT_EQ(game.WaitExit(), 1) << game.Log();
}

// The options screen from the title: a click on the master volume's bar sets it to 50, the
// quit row captures Q (Escape moves to its second key); Escape leaves the screen and then
// quits. The next start reads both from the settings file, and Q quits.
TEST(SettingsE2ETest, AVolumeAndABindingChangedOnTheOptionsScreenHoldAtTheNextStart) {
    GameProcess game;
    ASSERT_TRUE(game.Start(std::string(GLIMMERAX_SOURCE_DIR) + "/data"));
    ASSERT_TRUE(game.WaitForWindow()) << game.Log();
    GameProcess::Sleep(400);
    game.Click(908, 208);  // the title's OPTIONS
    GameProcess::Sleep(400);
    game.Click(320, 84);  // the fifth segment of the master volume's bar
    game.Click(600, 428);  // the quit row: waits for a key
    GameProcess::Sleep(200);
    game.Key("q");
    GameProcess::Sleep(300);
    game.Key("Escape");  // back to the title
    GameProcess::Sleep(300);
    EXPECT_TRUE(game.Running());
    game.Key("Escape");
    ASSERT_EQ(game.WaitExit(), 1) << game.Log();
    const std::string saved = ReadAll(game.ConfigHome() + "/glimmerax/settings.xml");
    EXPECT_NE(saved.find("master=\"50\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("<bind action=\"quit\" key=\"q\" key2=\"escape\""), std::string::npos)
        << saved;

    ASSERT_TRUE(game.Start(std::string(GLIMMERAX_SOURCE_DIR) + "/data"));
    ASSERT_TRUE(game.WaitForWindow()) << game.Log();
    EXPECT_TRUE(game.WaitForLog("master volume 50")) << game.Log();
    GameProcess::Sleep(300);
    game.Key("q");
    EXPECT_EQ(game.WaitExit(), 1) << game.Log();
}
