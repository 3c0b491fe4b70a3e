// A campaign on the virtual display: the game-flow data set (tests/data/flow) with config.xml
// listing two levels without enemies, and a next-level layer showing the grey panel.

#include <gtest/gtest.h>

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

bool IsGrey(const Rgba& p) {
    return p.r > 100 && p.r < 160 && p.g > 100 && p.g < 160 && p.b > 100 && p.b < 160;
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

}  // namespace
