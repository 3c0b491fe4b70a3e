// The desktop additions with the real game on the virtual display: play again (R and a
// "restart" button) with the level file read anew, best scores kept across runs and never
// lost, pause on P and on focus loss, full screen and back in both render modes, and the
// frame-rate cap measured against an uncapped run.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/FocusThief.h"
#include "support/GameProcess.h"
#include "support/TempDir.h"

namespace {

// Window layout of the flow data set, in screenshot pixels from the top-left corner.
constexpr int START_X = 480, START_Y = 256;  // start button centre
constexpr int PANEL_X = 512, PANEL_Y = 256;  // game-over panel centre
constexpr int TITLE_X = 480, TITLE_Y = 160;  // title panel centre
constexpr int HEALTH_ROW = 16;
constexpr int LIVES_ROW = 40;
// The "restart" button this test adds to the game-over layer, below its panel.
constexpr int AGAIN_X = 480, AGAIN_Y = 448;
// The "best" meter this test adds to the title layer: its number ends at the right edge.
// The default game's start button centre.
constexpr int DEFAULT_START_X = 512, DEFAULT_START_Y = 322;
constexpr int BEST_ROW_TOP = 470, BEST_ROW_BOTTOM = 500;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

void Replace(std::string& text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

bool IsGrey(const Rgba& p) {
    return p.r > 100 && p.r < 160 && p.g > 100 && p.g < 160 && p.b > 100 && p.b < 160;
}
bool IsViolet(const Rgba& p) {
    return p.r > 130 && p.g < 40 && p.b > 130;
}
bool IsHealthIcon(const Rgba& p) {
    return p.r > 200 && p.g > 90 && p.g < 170 && p.b < 60;
}
bool IsLifeIcon(const Rgba& p) {
    return p.r > 200 && p.g < 60 && p.b > 90 && p.b < 170;
}
bool IsShip(const Rgba& p) {
    return p.g > 200 && p.r < 80 && p.b < 80;
}
bool IsEnemy(const Rgba& p) {
    return p.r > 200 && p.g < 60 && p.b < 60;
}
bool IsBright(const Rgba& p) {
    return p.r > 100 && p.g > 100 && p.b > 100;
}

// CPU time (user + system) of a running process, in milliseconds.
long CpuMs(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos) {
        return -1;
    }
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long utime = 0;
    long stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) {
            utime = std::stol(field);
        } else if (i == 15) {
            stime = std::stol(field);
        }
    }
    return (utime + stime) * 1000 / sysconf(_SC_CLK_TCK);
}

class DesktopE2E : public ::testing::Test {
protected:
    // The flow data set with a restart button on the game-over layer, a best meter on the
    // title, the given level copied to play.xml and extra attributes on the config root.
    void Prepare(const std::string& level, const std::string& configAttributes = "") {
        const std::string data = std::string(GLIMMERAX_TEST_DATA) + "/flow";
        m_dir.CopyFrom(data);
        std::string config = ReadAll(data + "/config.xml");
        Replace(config, "level=\"level.xml\"", "level=\"play.xml\"");
        Replace(config, "gamecompletelayer=\"complete\"",
                "gamecompletelayer=\"complete\" " + configAttributes);
        m_dir.Write("config.xml", config);
        m_dir.Write("play.xml", ReadAll(data + "/" + level));
        std::string layers = ReadAll(data + "/layers.xml");
        Replace(layers, "<layer name=\"gameover\">",
                "<layer name=\"gameover\"><widget type=\"button\" name=\"again\" "
                "event=\"restart\"><position x=\"448\" y=\"48\"/><sprite name=\"buttons\" "
                "normalFrame=\"0\" hoverFrame=\"1\" depressFrame=\"2\"/></widget>");
        Replace(layers, "<layer name=\"title\">",
                "<layer name=\"title\"><widget type=\"meter\" name=\"best\" target=\"best\" "
                "font=\"digits\" align=\"right\"><position x=\"1016\" y=\"40\"/><scale x=\"2\" "
                "y=\"2\"/><sprite name=\"icons\" frame=\"0\"/></widget>");
        m_dir.Write("layers.xml", layers);
    }

    void StartGame(GameProcess& game) {
        ASSERT_TRUE(game.Start(m_dir.Path()));
        ASSERT_TRUE(game.WaitForWindow()) << game.Log();
        ASSERT_TRUE(game.WaitForScreen([&] { return IsGrey(game.Pixel(TITLE_X, TITLE_Y)); }))
            << "the title layer did not appear\n"
            << game.Log();
    }

    void ClickStart(GameProcess& game) {
        game.Click(START_X, START_Y);
        ASSERT_TRUE(game.WaitForScreen([&] { return Runs(game, HEALTH_ROW, IsHealthIcon) > 0; }))
            << "the HUD did not appear\n"
            << game.Log();
    }

    // Plays the target level until its enemy is shot down: 60 points.
    void ScoreSixty(GameProcess& game) {
        ClickStart(game);
        ASSERT_TRUE(game.WaitForScreen([&] { return Count(game, IsEnemy) > 0; }));
        game.KeyDown("space");
        const bool hit = game.WaitForScreen([&] { return Count(game, IsEnemy) == 0; });
        game.KeyUp("space");
        ASSERT_TRUE(hit) << "the enemy survived\n" << game.Log();
    }

    static int Runs(const GameProcess& game, int row, bool (*match)(const Rgba&)) {
        int runs = 0;
        bool inside = false;
        for (int x = 0; x < 1024; ++x) {
            const bool now = match(game.Pixel(x, row));
            runs += now && !inside ? 1 : 0;
            inside = now;
        }
        return runs;
    }

    static int Count(const GameProcess& game, bool (*match)(const Rgba&), int y0 = 0, int y1 = 512,
                     int x0 = 0) {
        int count = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < 1024; ++x) {
                count += match(game.Pixel(x, y)) ? 1 : 0;
            }
        }
        return count;
    }

    // Leftmost bright pixel of the HUD's points number (right-aligned at the top-right).
    static int PointsLeftEdge(const GameProcess& game) {
        for (int x = 940; x < 1024; ++x) {
            for (int y = 0; y < 20; ++y) {
                if (IsBright(game.Pixel(x, y))) {
                    return x;
                }
            }
        }
        return INT_MAX;
    }

    // Leftmost bright pixel of the best meter on the title: lower is a longer number.
    static int BestLeftEdge(const GameProcess& game) {
        for (int x = 900; x < 1024; ++x) {
            for (int y = BEST_ROW_TOP; y < BEST_ROW_BOTTOM; ++y) {
                if (IsBright(game.Pixel(x, y))) {
                    return x;
                }
            }
        }
        return INT_MAX;
    }

    // Two screenshots half a second apart show the same playfield (the default game's
    // background scrolls while it runs): the game is paused.
    static bool StandsStill(GameProcess& game) {
        game.Screenshot();
        std::vector<Rgba> before;
        for (int y = 100; y < 400; y += 3) {
            for (int x = 0; x < 1024; x += 3) {
                before.push_back(game.Pixel(x, y));
            }
        }
        GameProcess::Sleep(500);
        game.Screenshot();
        size_t i = 0;
        for (int y = 100; y < 400; y += 3) {
            for (int x = 0; x < 1024; x += 3) {
                const Rgba p = game.Pixel(x, y);
                const Rgba& q = before[i++];
                if (p.r != q.r || p.g != q.g || p.b != q.b) {
                    return false;
                }
            }
        }
        return true;
    }

    // F11 and Alt+Enter, each twice, in the plain and the motion-blur mode; reopen makes the
    // game switch by opening its video mode again, as on systems that cannot switch in place.
    void FullScreenKeepsDrawing(bool reopen) {
        GameProcess game;
        if (reopen) {
            game.SetEnvironment("GLIMMERAX_TEST_REOPEN_VIDEO_MODE", "1");
        }
        ASSERT_TRUE(game.Start(m_dir.Path()));
        ASSERT_TRUE(game.WaitForWindow()) << game.Log();
        ASSERT_TRUE(game.WaitForScreen([&] { return IsGrey(game.Pixel(TITLE_X, TITLE_Y)); }));
        game.Click(START_X, START_Y);
        ASSERT_TRUE(game.WaitForScreen([&] { return Runs(game, HEALTH_ROW, IsHealthIcon) > 0; }));
        for (const bool blur : {false, true}) {
            if (blur) {
                game.Key("n");
            }
            for (const char* keys : {"F11", "alt+Return"}) {
                game.Key(keys);
                GameProcess::Sleep(700);
                game.Key(keys);
                GameProcess::Sleep(700);
                ASSERT_TRUE(game.WaitForScreen([&] {
                    return Count(game, IsShip) > 50 && Runs(game, HEALTH_ROW, IsHealthIcon) == 10;
                })) << (blur ? "motion blur, " : "plain, ")
                    << keys << " twice: the scene is no longer drawn\n"
                    << game.Log();
            }
        }
        EXPECT_EQ(game.Log().find("Full screen"), std::string::npos) << game.Log();
        game.Key("Escape");
        EXPECT_EQ(game.WaitExit(), 1);
    }

    std::string ScoresPath() const { return m_scores.Path() + "/glimmerax/scores.xml"; }

    TempDir m_dir;
    TempDir m_scores;
};

TEST_F(DesktopE2E, RKeyAfterGameOverShowsTheTitleAndANewGameWithTheEditedLevel) {
    Prepare("level_terrain.xml");
    GameProcess game;
    ASSERT_NO_FATAL_FAILURE(StartGame(game));
    ASSERT_NO_FATAL_FAILURE(ClickStart(game));
    ASSERT_TRUE(game.WaitForScreen([&] { return IsViolet(game.Pixel(PANEL_X, PANEL_Y)); }, 60000))
        << "no game-over layer\n"
        << game.Log();
    // The level designer moves the ship off the terrain before playing again.
    m_dir.Write("play.xml", ReadAll(std::string(GLIMMERAX_TEST_DATA) + "/flow/level.xml"));
    game.Key("r");
    ASSERT_TRUE(game.WaitForScreen([&] { return IsGrey(game.Pixel(TITLE_X, TITLE_Y)); }))
        << "R did not bring the title back\n"
        << game.Log();
    ASSERT_NO_FATAL_FAILURE(ClickStart(game));
    GameProcess::Sleep(1500);
    ASSERT_TRUE(game.Screenshot());
    EXPECT_EQ(Runs(game, LIVES_ROW, IsLifeIcon), 3) << "three lives again";
    EXPECT_EQ(Runs(game, HEALTH_ROW, IsHealthIcon), 10) << "full health, off the terrain";
    EXPECT_GE(PointsLeftEdge(game), 995) << "the points meter shows more than one digit";
    EXPECT_GT(Count(game, IsEnemy), 0) << "the edited level's target is there";
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(), 1);
}

TEST_F(DesktopE2E, RestartButtonOnGameOverPlaysAgain) {
    Prepare("level_terrain.xml");
    GameProcess game;
    ASSERT_NO_FATAL_FAILURE(StartGame(game));
    ASSERT_NO_FATAL_FAILURE(ClickStart(game));
    ASSERT_TRUE(game.WaitForScreen([&] { return IsViolet(game.Pixel(PANEL_X, PANEL_Y)); }, 60000))
        << game.Log();
    game.Click(AGAIN_X, AGAIN_Y);
    ASSERT_TRUE(game.WaitForScreen([&] { return IsGrey(game.Pixel(TITLE_X, TITLE_Y)); }))
        << "the restart button did not bring the title back\n"
        << game.Log();
    game.Click(START_X, START_Y);
    // Three lives at the start of the new game, then the terrain takes them again.
    EXPECT_TRUE(game.WaitForScreen([&] { return Runs(game, LIVES_ROW, IsLifeIcon) >= 2; }))
        << game.Log();
    EXPECT_TRUE(game.WaitForScreen([&] { return IsViolet(game.Pixel(PANEL_X, PANEL_Y)); }, 60000))
        << "the new game did not run to its own game over";
}

TEST_F(DesktopE2E, BestScoreIsKeptAcrossTwoRunsAndShownOnTheTitle) {
    Prepare("level.xml");
    int emptyEdge = 0;
    {
        GameProcess game;
        game.SetEnvironment("XDG_DATA_HOME", m_scores.Path());
        ASSERT_NO_FATAL_FAILURE(StartGame(game));
        emptyEdge = BestLeftEdge(game);
        ASSERT_NE(emptyEdge, INT_MAX) << "the best meter shows no number";
        ASSERT_NO_FATAL_FAILURE(ScoreSixty(game));
        game.Key("Escape");
        ASSERT_EQ(game.WaitExit(), 1);
        EXPECT_FALSE(Exists(ScoresPath() + ".bad"));
    }
    EXPECT_NE(ReadAll(ScoresPath()).find("points=\"60\""), std::string::npos)
        << ReadAll(ScoresPath());
    GameProcess again;
    again.SetEnvironment("XDG_DATA_HOME", m_scores.Path());
    ASSERT_NO_FATAL_FAILURE(StartGame(again));
    EXPECT_LT(BestLeftEdge(again), emptyEdge - 8) << "the title shows two digits now";
    again.Key("Escape");
    ASSERT_EQ(again.WaitExit(), 1);
    EXPECT_NE(ReadAll(ScoresPath()).find("points=\"60\""), std::string::npos)
        << "a run that scored nothing kept the table";
}

TEST_F(DesktopE2E, ACorruptScoresFileIsKeptAsideAndTheGameRuns) {
    Prepare("level.xml");
    const std::string corrupt = "<scores><score points=\"12";
    m_scores.Write("glimmerax/scores.xml", corrupt);
    GameProcess game;
    game.SetEnvironment("XDG_DATA_HOME", m_scores.Path());
    ASSERT_NO_FATAL_FAILURE(StartGame(game));
    EXPECT_TRUE(game.WaitForLog("kept as " + ScoresPath() + ".bad")) << game.Log();
    EXPECT_EQ(ReadAll(ScoresPath() + ".bad"), corrupt);
    ASSERT_NO_FATAL_FAILURE(ScoreSixty(game));
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(), 1);
    EXPECT_NE(ReadAll(ScoresPath()).find("points=\"60\""), std::string::npos);
    EXPECT_EQ(ReadAll(ScoresPath() + ".bad"), corrupt);
}

TEST_F(DesktopE2E, AProcessKilledBetweenWriteAndRenameLeavesTheOldTable) {
    Prepare("level.xml");
    const std::string old =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<scores>\n"
        "  <score points=\"30\" date=\"2026-12-01T10:00:00Z\" />\n</scores>\n";
    m_scores.Write("glimmerax/scores.xml", old);
    GameProcess game;
    game.SetEnvironment("XDG_DATA_HOME", m_scores.Path());
    game.SetEnvironment("GLIMMERAX_TEST_STOP_BEFORE_RENAME", "1");
    ASSERT_NO_FATAL_FAILURE(StartGame(game));
    ASSERT_NO_FATAL_FAILURE(ScoreSixty(game));
    game.Key("Escape");
    ASSERT_TRUE(game.WaitForLog("stopping before the rename")) << game.Log();
    // Stopped between the write and the rename: killed there.
    EXPECT_EQ(game.WaitExit(500), -1);
    EXPECT_EQ(ReadAll(ScoresPath()), old);
}

TEST_F(DesktopE2E, PKeyPausesAndResumesAndFocusLossPausesTheDefaultGame) {
    GameProcess game;
    ASSERT_TRUE(game.Start(std::string(GLIMMERAX_SOURCE_DIR) + "/data"));
    ASSERT_TRUE(game.WaitForWindow());
    GameProcess::Sleep(1000);
    game.Click(DEFAULT_START_X, DEFAULT_START_Y);
    game.MoveMouse(600, 300);  // over the playfield, away from the HUD's buttons
    GameProcess::Sleep(1000);
    EXPECT_FALSE(StandsStill(game)) << "the game should be running";
    game.Key("p");
    GameProcess::Sleep(300);
    EXPECT_TRUE(StandsStill(game)) << "P did not pause";
    game.Key("p");
    GameProcess::Sleep(300);
    EXPECT_FALSE(StandsStill(game)) << "P did not resume";
    {
        // Another window takes the input focus: the game pauses.
        FocusThief other;
        ASSERT_TRUE(other.Active());
        GameProcess::Sleep(500);
        EXPECT_TRUE(StandsStill(game)) << "losing the focus did not pause\n" << game.Log();
    }
    // The focus comes back: the game stays paused until the player resumes it.
    ASSERT_TRUE(game.WaitForWindow());
    GameProcess::Sleep(1000);
    EXPECT_TRUE(StandsStill(game)) << "the game resumed by itself";
    game.Key("p");
    GameProcess::Sleep(300);
    EXPECT_FALSE(StandsStill(game)) << "P did not resume after the focus loss";
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(), 1);
}

TEST_F(DesktopE2E, FullScreenTwiceInEachRenderModeKeepsDrawingTheScene) {
    Prepare("level.xml");
    FullScreenKeepsDrawing(false);
}

TEST_F(DesktopE2E, FullScreenByANewVideoModeRebuildsTexturesAndFrameRing) {
    Prepare("level.xml");
    FullScreenKeepsDrawing(true);
}

// Frames and updates of one ten-second run, and its processor time against the wall clock.
struct PacedRun {
    long frames = 0;
    long updates = 0;
    long wallMs = 0;
    long cpuMs = 0;
};

PacedRun RunTenSeconds(TempDir& dir) {
    PacedRun run;
    GameProcess game;
    game.SetEnvironment("GLIMMERAX_LOOP_STATS", "1");
    if (!game.Start(dir.Path()) || !game.WaitForWindow()) {
        return run;
    }
    const long cpuBefore = CpuMs(game.Pid());
    GameProcess::Sleep(10000);
    run.cpuMs = CpuMs(game.Pid()) - cpuBefore;
    game.Key("Escape");
    game.WaitExit();
    const std::string log = game.Log();
    const size_t at = log.find("Loop: ");
    if (at != std::string::npos) {
        std::sscanf(log.c_str() + at, "Loop: %ld frames, %ld updates in %ld ms", &run.frames,
                    &run.updates, &run.wallMs);
    }
    return run;
}

// What holds whatever the machine's load: the cap is never exceeded, and the capped game
// leaves the processor idle between frames while the uncapped one never sleeps. How close
// the capped run comes to sixty frames and to the uncapped run's updates depends on how soon
// a loaded machine wakes a sleeping process; the figures are printed for the record (the
// timing rule itself is tested exactly in FramePacerTest).
TEST_F(DesktopE2E, FrameCapIsNeverExceededAndIdlesTheProcessorWhileUncappedNeverSleeps) {
    Prepare("level.xml", "maxfps=\"60\"");
    const PacedRun capped = RunTenSeconds(m_dir);
    Prepare("level.xml");
    const PacedRun uncapped = RunTenSeconds(m_dir);
    ASSERT_GT(capped.wallMs, 9000) << "no loop figures from the capped run";
    ASSERT_GT(uncapped.wallMs, 9000) << "no loop figures from the uncapped run";
    const double cappedFps = capped.frames * 1000.0 / capped.wallMs;
    std::printf("capped at 60: %.1f fps, %.1f updates/s, processor %ld ms of %ld ms\n", cappedFps,
                capped.updates * 1000.0 / capped.wallMs, capped.cpuMs, capped.wallMs);
    std::printf("uncapped: %.1f fps, %.1f updates/s, processor %ld ms of %ld ms\n",
                uncapped.frames * 1000.0 / uncapped.wallMs,
                uncapped.updates * 1000.0 / uncapped.wallMs, uncapped.cpuMs, uncapped.wallMs);
    EXPECT_GT(capped.frames, 0);
    EXPECT_LE(cappedFps, 61.0) << "more frames than the cap";
    // A frame costs about the same processor time in both runs, so a capped game that sleeps
    // between frames uses the processor in proportion to its frame rate. Its share is held
    // to that proportion of the uncapped share with half again as slack (and never above the
    // uncapped share): a cap that spun instead of sleeping would use as much as uncapped.
    // The bound is relative because one software-drawn frame costs from 2 ms to 10 ms
    // depending on the machine.
    const double uncappedFps = uncapped.frames * 1000.0 / uncapped.wallMs;
    const double cappedShare = double(capped.cpuMs) / capped.wallMs;
    const double uncappedShare = double(uncapped.cpuMs) / uncapped.wallMs;
    EXPECT_LT(cappedShare, uncappedShare * std::min(1.0, 1.5 * cappedFps / uncappedFps))
        << "the capped game kept the processor busy";
}

}  // namespace
