// The real binary on the default data (data/) broken on purpose, one thing per case: missing
// files of every kind, a truncated PNG, XML files cut in the middle, unknown sprite names and
// levels without enemies, player or camera. Each case must write its log line naming the
// file and what is wrong, and the program must either run (its window appears, a moment of
// play, Escape ends it) or end by itself; both with exit status 1, never by a signal.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <regex>
#include <sstream>
#include <string>

#include "support/GameProcess.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// Start button centre of the default title layer, from the window's top-left corner.
constexpr int START_X = 512, START_Y = 322;

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The ways of breaking one file of the copied data set. Each fails the test when the file is
// not there to break, so a change to the default data cannot turn a case into a no-op.
void Remove(const std::string& path) {
    ASSERT_TRUE(fs::remove(path)) << path << " is not in the data set";
}

void CutInHalf(const std::string& path) {
    const std::string text = ReadText(path);
    ASSERT_GT(text.size(), 16u) << path << " is missing or too short to cut";
    WriteText(path, text.substr(0, text.size() / 2));
}

void RenameFirstSprite(const std::string& path, const std::string& name) {
    std::string text = ReadText(path);
    const std::string from = "<sprite name=\"" + name + "\"";
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from << " is not in " << path;
    text.replace(at, from.size(), "<sprite name=\"nosuchsprite\"");
    WriteText(path, text);
}

void RemoveElements(const std::string& path, const std::string& tag) {
    const std::string text = ReadText(path);
    const std::regex element("<" + tag + "[ >][\\s\\S]*?</" + tag + ">\\s*");
    const std::string without = std::regex_replace(text, element, "");
    ASSERT_NE(without, text) << "no <" << tag << "> in " << path;
    WriteText(path, without);
}

void RenameDart(const std::string& path) {
    RenameFirstSprite(path, "dart");
}

void RenameHudBar(const std::string& path) {
    RenameFirstSprite(path, "hudbar");
}

void RemoveEnemies(const std::string& path) {
    RemoveElements(path, "enemy");
}

void RemovePlayer(const std::string& path) {
    RemoveElements(path, "player");
}

void RemoveCamera(const std::string& path) {
    RemoveElements(path, "camera");
}

enum class Outcome { Runs, Ends };

struct BadDataCase {
    const char* name;
    const char* file;  // the broken file, relative to the data folder
    void (*breakFile)(const std::string& path);
    const char* expectedLog;
    Outcome outcome;
};

std::ostream& operator<<(std::ostream& out, const BadDataCase& badCase) {
    return out << badCase.name;
}

const BadDataCase CASES[] = {
    {"MissingConfig", "config.xml", Remove, "<config> xml definition not found in: config.xml\n",
     Outcome::Ends},
    {"MissingSpriteSet", "sets/sprites.xml", Remove,
     "CSprite: Sprite set file sets/sprites.xml is missing or not valid XML (Failed to open file)",
     Outcome::Runs},
    {"MissingAnimationSet", "sets/animations.xml", Remove,
     "CAnimation: Animation set file sets/animations.xml is missing or not valid XML (Failed to "
     "open file)",
     Outcome::Runs},
    {"MissingFontSet", "sets/fonts.xml", Remove,
     "CFont: Font set file sets/fonts.xml is missing or not valid XML (Failed to open file)",
     Outcome::Runs},
    {"MissingLayerSet", "gui/hud.xml", Remove,
     "CGUI: Cannot load layer set file \"gui/hud.xml\": Failed to open file", Outcome::Runs},
    {"MissingLevel", "levels/level1.xml", Remove, "Level file not found: levels/level1.xml\n",
     Outcome::Runs},
    {"MissingImage", "images/ship.png", Remove,
     "CSprite: Image \"images/ship.png\" of sprite \"ship\" in sets/sprites.xml is missing or not "
     "a usable PNG",
     Outcome::Runs},
    {"MissingIcon", "icon.png", Remove,
     "Window icon icon.png is missing or not a usable PNG; no icon is set.", Outcome::Runs},
    {"TruncatedPng", "images/terrain.png", CutInHalf,
     "CSprite: Image \"images/terrain.png\" of sprite \"terrain\" in sets/sprites.xml is missing "
     "or not a usable PNG",
     Outcome::Runs},
    // An unparsable configuration is as good as none: nothing can be configured from it.
    {"CutConfig", "config.xml", CutInHalf, "<config> xml definition not found in: config.xml\n",
     Outcome::Ends},
    // The parser's reason depends on where the cut falls.
    {"CutSpriteSet", "sets/sprites.xml", CutInHalf,
     "CSprite: Sprite set file sets/sprites.xml is missing or not valid XML (", Outcome::Runs},
    // An unreadable level file gets the same line as a missing one.
    {"CutLevel", "levels/level1.xml", CutInHalf, "Level file not found: levels/level1.xml\n",
     Outcome::Runs},
    {"CutLayerSet", "gui/title.xml", CutInHalf,
     "CGUI: Cannot load layer set file \"gui/title.xml\": Error", Outcome::Runs},
    {"UnknownSpriteInLevel", "levels/level1.xml", RenameDart,
     "ShooterEnemy: Sprite \"nosuchsprite\" not found, named in levels/level1.xml\n",
     Outcome::Runs},
    {"UnknownSpriteInLayer", "gui/hud.xml", RenameHudBar,
     "CGUIButtonWidget: Sprite not found \"nosuchsprite\"\n", Outcome::Runs},
    {"LevelWithoutEnemies", "levels/level1.xml", RemoveEnemies,
     "Level has no enemies: it is complete as soon as play starts: levels/level1.xml\n",
     Outcome::Runs},
    {"LevelWithoutPlayer", "levels/level1.xml", RemovePlayer,
     "Level has no player: nothing moves and nothing is drawn: levels/level1.xml\n", Outcome::Runs},
    {"LevelWithoutCamera", "levels/level1.xml", RemoveCamera,
     "Level has a player but no camera, not loaded: levels/level1.xml\n", Outcome::Runs},
};

class BadDataE2E : public ::testing::TestWithParam<BadDataCase> {
protected:
    // Runs the game on the broken copy until it ends: for a data set the game can run on,
    // after a moment of play and Escape. Returns the exit status.
    int Run() {
        m_dir.CopyFrom(std::string(GLIMMERAX_SOURCE_DIR) + "/data");
        GetParam().breakFile(m_dir.Path() + "/" + GetParam().file);
        if (HasFatalFailure()) {
            return -1;
        }
        m_game = std::make_unique<GameProcess>();
        if (!m_game->Start(m_dir.Path())) {
            return -1;
        }
        m_window = GetParam().outcome == Outcome::Runs && m_game->WaitForWindow(15000);
        if (m_window) {
            PlayBriefly();
        }
        return m_game->WaitExit(15000);
    }

    // A moment of play on whatever loaded: start, steer, fire, ring burst, motion blur, then
    // Escape.
    void PlayBriefly() {
        GameProcess& game = *m_game;
        game.Click(START_X, START_Y);
        game.KeyDown("space");
        game.KeyDown("Right");
        GameProcess::Sleep(600);
        game.KeyUp("Right");
        game.Key("m");
        game.Key("n");
        GameProcess::Sleep(300);
        game.KeyUp("space");
        game.Key("Escape");
    }

    TempDir m_dir;
    std::unique_ptr<GameProcess> m_game;
    bool m_window = false;
};

TEST_P(BadDataE2E, LogsTheFaultAndEndsWithStatusOne) {
    const int status = Run();
    ASSERT_FALSE(HasFatalFailure());
    const std::string log = m_game->Log();
    if (GetParam().outcome == Outcome::Runs) {
        EXPECT_TRUE(m_window) << "the game should run on this data but showed no window";
    }
    EXPECT_EQ(status, 1) << "a signal, a hang or another exit status";
    EXPECT_NE(log.find(GetParam().expectedLog), std::string::npos)
        << "expected the line: " << GetParam().expectedLog;
    // In a sanitizer build a memory error also ends the game with status 1: the report is
    // what tells it apart.
    EXPECT_EQ(log.find("ERROR: AddressSanitizer"), std::string::npos);
    EXPECT_EQ(log.find("runtime error:"), std::string::npos);
    if (HasFailure()) {
        ADD_FAILURE() << "the game's log:\n" << log;
    }
}

INSTANTIATE_TEST_SUITE_P(BrokenDefaultData, BadDataE2E, ::testing::ValuesIn(CASES),
                         [](const ::testing::TestParamInfo<BadDataCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
