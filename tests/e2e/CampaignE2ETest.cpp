// A campaign on the virtual display: the game-flow data set (tests/data/flow) with config.xml
// listing two levels, and a next-level layer showing the grey panel; and the title's Continue
// with a scores file that keeps the second level reached.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>

#include "support/GameProcess.h"
#include "support/TempDir.h"

namespace {

// Window layout of the data set, in screenshot pixels (from the top-left corner).
constexpr int START_X = 480, START_Y = 256;  // start button centre
constexpr int PANEL_X = 512, PANEL_Y = 256;  // the panel of the layer shown at a level's end
constexpr int TITLE_X = 480, TITLE_Y = 160;  // title panel centre
// The continue button added to the title below quit, at (448, 80) from the bottom-left.
constexpr int CONTINUE_X = 480, CONTINUE_Y = 416;

bool IsGrey(const Rgba& p) {
    return p.r > 100 && p.r < 160 && p.g > 100 && p.g < 160 && p.b > 100 && p.b < 160;
}
// The buttons' normal (blue) or hover (cyan) frame.
bool IsButton(const Rgba& p) {
    return p.r < 40 && p.b > 200;
}
bool IsTeal(const Rgba& p) {
    return p.r < 40 && p.g > 130 && p.b > 130;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Replaces the first occurrence of from in the file's text; false when there is none.
bool Replace(const TempDir& dir, const std::string& name, const std::string& from,
             const std::string& to) {
    std::string text = ReadText(dir.Path() + "/" + name);
    const size_t at = text.find(from);
    if (at == std::string::npos) {
        return false;
    }
    text.replace(at, from.size(), to);
    dir.Write(name, text);
    return true;
}

TEST(CampaignE2E, ClearedLevelShowsTheNextLevelLayerThenTheLastOneEndsTheGame) {
    TempDir dir;
    dir.CopyFrom(std::string(GLIMMERAX_TEST_DATA) + "/flow");
    dir.Write("level_two.xml", ReadText(dir.Path() + "/level_empty.xml"));
    ASSERT_TRUE(Replace(dir, "config.xml", "<defaults level=\"level.xml\"/>",
                        "<campaign><level file=\"level_empty.xml\"/>"
                        "<level file=\"level_two.xml\"/></campaign>"));
    ASSERT_TRUE(Replace(dir, "layers.xml", "</layerset>",
                        "<layer name=\"nextlevel\"><widget type=\"staticimage\" name=\"p\">"
                        "<position x=\"480\" y=\"224\"/><scale x=\"1\" y=\"1\"/>"
                        "<sprite name=\"panels\" frame=\"0\"/></widget></layer></layerset>"));
    GameProcess game;
    ASSERT_TRUE(game.Start(dir.Path()));
    ASSERT_TRUE(game.WaitForWindow()) << game.Log();
    ASSERT_TRUE(game.WaitForScreen([&] { return IsGrey(game.Pixel(TITLE_X, TITLE_Y)); }))
        << "the title layer did not appear\n"
        << game.Log();
    game.Click(START_X, START_Y);
    // The first level is cleared at once: the next-level layer waits a few seconds.
    ASSERT_TRUE(game.WaitForScreen([&] { return IsGrey(game.Pixel(PANEL_X, PANEL_Y)); }))
        << "no next-level layer\n"
        << game.Log();
    EXPECT_EQ(game.Log().find("Level 2 of 2"), std::string::npos) << "the wait was skipped";
    ASSERT_TRUE(game.WaitForScreen([&] { return IsTeal(game.Pixel(PANEL_X, PANEL_Y)); }, 15000))
        << "no game-complete layer after the second level\n"
        << game.Log();
    EXPECT_NE(game.Log().find("Level 2 of 2: level_two.xml\n"), std::string::npos) << game.Log();
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(10000), 1);
    EXPECT_EQ(game.Log().find("not found"), std::string::npos) << game.Log();
}

TEST(CampaignE2E, ContinueShowsWithProgressKeptAndStartsTheSecondLevel) {
    TempDir dir;
    dir.CopyFrom(std::string(GLIMMERAX_TEST_DATA) + "/flow");
    // Level two keeps its enemy: it stays in play.
    dir.Write("level_two.xml", ReadText(dir.Path() + "/level.xml"));
    ASSERT_TRUE(Replace(dir, "config.xml", "<defaults level=\"level.xml\"/>",
                        "<campaign><level file=\"level_empty.xml\"/>"
                        "<level file=\"level_two.xml\"/></campaign>"));
    ASSERT_TRUE(Replace(dir, "layers.xml", "  </layer>\n  <layer name=\"hud\">",
                        "<widget type=\"button\" name=\"continue\" event=\"continue\">"
                        "<position x=\"448\" y=\"80\"/><sprite name=\"buttons\" "
                        "normalFrame=\"0\" hoverFrame=\"1\" depressFrame=\"2\"/></widget>"
                        "</layer><layer name=\"hud\">"));
    GameProcess game;
    const std::string folder = game.DataHome() + "/glimmerax";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    std::ofstream(folder + "/scores.xml")
        << "<scores><score points=\"40\" date=\"2026-12-08T07:00:00Z\"/>"
           "<progress difficulty=\"normal\" level=\"2\"/></scores>\n";
    ASSERT_TRUE(game.Start(dir.Path()));
    ASSERT_TRUE(game.WaitForWindow()) << game.Log();
    ASSERT_TRUE(game.WaitForScreen([&] {
        return IsGrey(game.Pixel(TITLE_X, TITLE_Y)) && IsButton(game.Pixel(CONTINUE_X, CONTINUE_Y));
    })) << "no title with Continue\n"
        << game.Log();
    game.Click(CONTINUE_X, CONTINUE_Y);
    ASSERT_TRUE(game.WaitForLog("Continue: level 2 of 2 at normal: level_two.xml\n")) << game.Log();
    ASSERT_TRUE(game.WaitForScreen([&] { return !IsGrey(game.Pixel(TITLE_X, TITLE_Y)); }))
        << "the title stayed\n"
        << game.Log();
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(10000), 1);
    EXPECT_EQ(game.Log().find("progress"), std::string::npos) << game.Log();
}

}  // namespace
