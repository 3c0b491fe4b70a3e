// The real binary on the default data with one name changed: a misspelt action, layer names
// no layer set defines, layer set paths written with '\'. Each fault is reported once and
// plainly; the game runs and ends with status 1.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "support/GameProcess.h"
#include "support/TempDir.h"

namespace {

// Replaces the first `from` in the file of the copied data set; fails when there is none.
void Replace(const TempDir& dir, const std::string& file, const std::string& from,
             const std::string& to) {
    const std::string path = dir.Path() + "/" + file;
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    std::string content = text.str();
    const size_t at = content.find(from);
    ASSERT_NE(at, std::string::npos) << from << " is not in " << file;
    content.replace(at, from.size(), to);
    std::ofstream(path, std::ios::binary) << content;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// Starts the game on the data, lets it run for ms on its title screen, ends it with Escape
// and returns its log; the exit status must be 1.
std::string RunOnTitle(const TempDir& dir, int ms) {
    GameProcess game;
    EXPECT_TRUE(game.Start(dir.Path()));
    EXPECT_TRUE(game.WaitForWindow(15000)) << game.Log();
    GameProcess::Sleep(ms);
    game.Key("Escape");
    EXPECT_EQ(game.WaitExit(15000), 1);
    return game.Log();
}

class DataNamesE2E : public ::testing::Test {
protected:
    void SetUp() override { m_dir.CopyFrom(std::string(GLIMMERAX_SOURCE_DIR) + "/data"); }
    TempDir m_dir;
};

// The title's ship image asks for its action on every update, about 33 times a second.
TEST_F(DataNamesE2E, MisspeltActionIsLoggedOnceAndCountedAtTheEnd) {
    Replace(m_dir, "gui/title.xml", "action=\"fly\"", "action=\"flyy\"");
    ASSERT_FALSE(HasFatalFailure());
    const std::string log = RunOnTitle(m_dir, 3000);
    EXPECT_EQ(Count(log, "Action \"flyy\" not found in animation \"ship\"\n"), 1u) << log;
    std::smatch repeats;
    ASSERT_TRUE(std::regex_search(
        log, repeats,
        std::regex("\n\"Action \"flyy\" not found in animation \"ship\"\" repeated ([0-9]+) "
                   "more times\n")))
        << log;
    // Far fewer updates than 100 on a busy machine, but always several.
    EXPECT_GE(std::stoi(repeats[1]), 5) << log;
}

TEST_F(DataNamesE2E, LayerNamesNoLayerSetDefinesAreLoggedAtStartUp) {
    Replace(m_dir, "config.xml", "gameoverlayer=\"gameover\"", "gameoverlayer=\"gamover\"");
    Replace(m_dir, "config.xml", "default=\"title\"", "default=\"titel\"");
    Replace(m_dir, "gui/title.xml", "layer=\"hud\"", "layer=\"hudd\"");
    ASSERT_FALSE(HasFatalFailure());
    const std::string log = RunOnTitle(m_dir, 300);
    EXPECT_EQ(Count(log, "CEngine: Game-over layer \"gamover\" is not defined in any layer set\n"),
              1u)
        << log;
    EXPECT_EQ(Count(log, "CGUI: Default layer \"titel\" is not defined in any layer set\n"), 1u);
    EXPECT_EQ(Count(log,
                    "CGUI: Layer \"hudd\" of button \"start\" in layer \"title\" is not defined in "
                    "any layer set\n"),
              1u);
    EXPECT_EQ(Count(log, "is not defined in any layer set"), 3u);
}

TEST_F(DataNamesE2E, LayerSetPathsWithBackslashesLoad) {
    Replace(m_dir, "config.xml", "<layersetfile>gui/title.xml", "<layersetfile>gui\\title.xml");
    Replace(m_dir, "config.xml", "<layersetfile>gui/hud.xml", "<layersetfile>gui\\hud.xml");
    ASSERT_FALSE(HasFatalFailure());
    const std::string log = RunOnTitle(m_dir, 300);
    EXPECT_EQ(log.find("CGUI: "), std::string::npos) << log;
}

}  // namespace
