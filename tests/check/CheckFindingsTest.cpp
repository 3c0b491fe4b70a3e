// The checker against copies of the default game data with one mistake each: every kind of
// finding comes out alone, with its file, line, severity and exit status.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "CheckToolRun.h"
#include "support/TempDir.h"

namespace {

const std::string kDataDir = std::string(GLIMMERAX_SOURCE_DIR) + "/data";
// A findingLine for a finding about a file as a whole (printed as line 0).
constexpr int kWholeFile = -1;

struct Mistake {
    const char* name;
    const char* file;  // the file edited
    const char* from;  // text replaced (first occurrence)
    const char* to;
    const char* severity;
    const char* message;  // part of the finding's message
    // Where the finding points when that is not the edited line: its file and line.
    const char* findingFile = nullptr;
    int findingLine = 0;
    // A file written besides the edit.
    const char* extraFile = nullptr;
    const char* extraText = nullptr;
    // A second edit of the same file.
    const char* from2 = nullptr;
    const char* to2 = nullptr;
};

void PrintTo(const Mistake& mistake, std::ostream* out) {
    *out << mistake.name;
}

const Mistake kMistakes[] = {
    // Problems the game's loaders report come out in the game's own words (its log line),
    // at the line of the element concerned.
    {"XmlDoesNotParse", "levels/level1.xml", "<enemy name=\"dart1\"", "<enemy name=\"dart1\" <",
     "error", "Level file not found: levels/level1.xml"},
    {"MissingFile", "config.xml", "levels/level1.xml", "levels/level9.xml", "error",
     "Level file not found: levels/level9.xml", "levels/level9.xml", kWholeFile, nullptr, nullptr,
     "levels/level1.xml", "levels/level9.xml"},
    {"PngDoesNotDecode", "images/life.png", nullptr, "not a png", "error",
     "CSprite: Image \"images/life.png\" of sprite \"life\" in sets/sprites.xml is missing or not "
     "a usable PNG (not a PNG file",
     "sets/sprites.xml", 50},
    {"SheetSmallerThanFrames", "sets/sprites.xml", "numframes=\"1\" rows=\"1\" columns=\"1\">life",
     "numframes=\"2\" rows=\"1\" columns=\"2\">life", "error",
     "CSprite: Image of sprite \"life\" (30 x 16) is smaller than its frame grid"},
    {"FrameOutsideSprite", "gui/hud.xml", "<sprite name=\"life\" frame=\"0\"/>",
     "<sprite name=\"life\" frame=\"3\"/>", "error",
     "frame 3 is outside the sprite: sprite \"life\" has frames 0 to 0"},
    // A misspelt sprite in every place a level or the explosions name one.
    {"UnknownEnemySprite", "levels/level1.xml", "<sprite name=\"dart\"", "<sprite name=\"darts\"",
     "error", "ShooterEnemy: Sprite \"darts\" not found, named in levels/level1.xml"},
    {"UnknownPlayerSprite", "levels/level1.xml", "<sprite name=\"ship\"", "<sprite name=\"shp\"",
     "error", "ShooterPlayer: Sprite \"shp\" not found, named in levels/level1.xml"},
    {"UnknownPlayerProjectileSprite", "levels/level1.xml", "sprite=\"shot_player\"",
     "sprite=\"shot_playr\"", "error",
     "ShooterPlayer: Sprite \"shot_playr\" not found, named in levels/level1.xml"},
    {"UnknownEnemyProjectileSprite", "levels/level1.xml", "sprite=\"shot_enemy\"",
     "sprite=\"shot_enmy\"", "error",
     "ShooterEnemy: Sprite \"shot_enmy\" not found, named in levels/level1.xml"},
    {"UnknownBackLayerSprite", "levels/level1.xml", "back=\"space\"", "back=\"spcae\"", "error",
     "ShooterBackground: Sprite \"spcae\" not found, named in levels/level1.xml"},
    {"UnknownMiddleLayerSprite", "levels/level1.xml", "middle=\"ridges\"", "middle=\"rigdes\"",
     "error", "ShooterBackground: Sprite \"rigdes\" not found, named in levels/level1.xml"},
    {"UnknownFrontLayerSprite", "levels/level1.xml", "front=\"terrain\"", "front=\"terrian\"",
     "error", "ShooterBackground: Sprite \"terrian\" not found, named in levels/level1.xml"},
    {"UnknownExplosionSprite", "config.xml", "sprite=\"explosion\"", "sprite=\"explsion\"", "error",
     "ShooterExplosionManager: Sprite \"explsion\" not found, named in config.xml"},
    {"UnknownAnimation", "levels/level1.xml", "<animation name=\"dart\"",
     "<animation name=\"dartt\"", "error",
     "ShooterEnemy: Animation \"dartt\" not found, named in levels/level1.xml"},
    {"UnknownAction", "levels/level1.xml", "<animation name=\"dart\" action=\"fly\"",
     "<animation name=\"dart\" action=\"flyy\"", "error",
     "unknown action \"flyy\" of animation \"dart\""},
    {"UnknownFont", "gui/hud.xml", "font=\"small\"", "font=\"smal\"", "error",
     "unknown font \"smal\""},
    {"UnknownLayer", "gui/hud.xml", "layer=\"paused\"", "layer=\"pausd\"", "error",
     "unknown layer \"pausd\""},
    {"KeyframesOutOfOrder", "sets/animations.xml", "time=\"120\"", "time=\"30\"", "error",
     "keyframe at 30 ms comes after one at 60 ms"},
    {"KeyframePastTotalTime", "sets/animations.xml", "time=\"180\"", "time=\"240\"", "error",
     "keyframe at 240 ms lies past action \"fly\"'s totaltime of 240 ms"},
    {"ActionOfLengthZero", "sets/animations.xml", "totaltime=\"240\"", "totaltime=\"0\"", "error",
     "action \"fly\" has length 0"},
    {"TextCharacterMissingFromFont", "gui/hud.xml", "text=\"HEALTH\"", "text=\"HEALTH~\"", "error",
     "font \"small\" has no '~' (used in \"HEALTH~\")"},
    {"DuplicateSprite", "sets/sprites.xml", "</spriteset>",
     "<sprite name=\"life\"><image swidth=\"30\" sheight=\"16\" numframes=\"1\" rows=\"1\" "
     "columns=\"1\">life.png</image></sprite></spriteset>",
     "error", "sprite \"life\" is defined again (first at sets/sprites.xml:49)"},
    {"DuplicateAnimation", "sets/animations.xml", "</animationset>",
     "<animation name=\"ship\"><action name=\"fly\" totaltime=\"100\"><keyframe frameid=\"0\" "
     "time=\"0\"/></action></animation></animationset>",
     "error", "animation \"ship\" is defined again (first at sets/animations.xml:5)"},
    {"DuplicateFont", "sets/fonts.xml", "</fontset>",
     "<font name=\"small\" sprite=\"font_small\"/></fontset>", "error",
     "font \"small\" is defined again"},
    {"DuplicateLayer", "gui/complete.xml", "</layerset>", "<layer name=\"hud\"/></layerset>",
     "error", "layer \"hud\" is defined again (first at gui/hud.xml:4)"},
    {"LevelWithoutPlayer", "levels/level1.xml", "<player>", "<!--", "error",
     "Level has no player: nothing moves and nothing is drawn: levels/level1.xml",
     "levels/level1.xml", 4, nullptr, nullptr, "</player>", "-->"},
    {"LevelWithoutCamera", "levels/level1.xml", "<camera>", "<!--", "error",
     "Level has a player but no camera, not loaded: levels/level1.xml", "levels/level1.xml", 4,
     nullptr, nullptr, "</camera>", "-->"},
    {"LevelWithoutBackground", "levels/level1.xml", "<bg>", "<!--", "error",
     "Level has a player but no background, not loaded: levels/level1.xml", "levels/level1.xml", 4,
     nullptr, nullptr, "</bg>", "-->"},
    {"UnknownBehaviour", "levels/level1.xml", "type=\"normal\"", "type=\"zigzag\"", "error",
     "ShooterEnemy: Unknown behaviour \"zigzag\" in levels/level1.xml"},
    {"SpawnAfterLastPlayableMoment", "levels/level1.xml", "time=\"2000\"", "time=\"300000\"",
     "warning", "enemy \"dart1\" spawns at 300.0 s, after the level's last playable moment"},
    {"StartOutsideTheView", "levels/level1.xml", "<position x=\"20\" y=\"330\"/>",
     "<position x=\"20\" y=\"900\"/>", "warning", "enemy \"dart1\" starts outside the view",
     "levels/level1.xml", 22},
    {"ExplosionNamesUnknownAnimation", "config.xml", "anim=\"explosion\"", "anim=\"explode\"",
     "error", "ShooterExplosionManager: Animation \"explode\" not found, named in config.xml"},
    {"UnknownElement", "levels/level1.xml", "<behaviour type=\"normal\"/>",
     "<behaviour type=\"normal\"/><wings/>", "warning",
     "unknown element <wings> in <enemy>: the game ignores it"},
    {"UnknownAttribute", "levels/level1.xml", "health=\"40\"", "helth=\"40\"", "warning",
     "unknown attribute \"helth\" on <enemy>: the game ignores it"},
    {"NumberWithTrailingText", "config.xml", "width=\"1024\"", "width=\"1024px\"", "warning",
     "width=\"1024px\" on <config> has text after its number: the game reads it as 1024"},
    {"UnknownCueEvent", "sets/sounds.xml", "<cue event=\"shipfire\"", "<cue event=\"shipfired\"",
     "error", "CSound: Unknown cue event \"shipfired\" in sets/sounds.xml"},
    // Samples and music tracks are not interchangeable: the game's own log texts.
    {"LevelMusicNamesSample", "levels/level1.xml", "music=\"ember\"", "music=\"hit\"", "error",
     "Unknown music track \"hit\" (not a <music> of the sound set)"},
    {"TitleMusicBoundToSample", "sets/sounds.xml", "<cue event=\"titlemusic\" sound=\"title\"",
     "<cue event=\"titlemusic\" sound=\"click\"", "error",
     "Cue \"titlemusic\" needs a music track but \"click\" is a sample in sets/sounds.xml"},
    {"SampleCueBoundToMusic", "sets/sounds.xml", "<cue event=\"shipfire\" sound=\"laser\"",
     "<cue event=\"shipfire\" sound=\"ember\"", "error",
     "Cue \"shipfire\" needs a sample but \"ember\" is a music track in sets/sounds.xml"},
    // A campaign's levels are each checked as the game reads them.
    {"CampaignLevelMissing", "config.xml", "<level file=\"levels/level2.xml\"/>",
     "<level file=\"levels/level4.xml\"/>", "error", "Level file not found: levels/level4.xml",
     "levels/level4.xml", kWholeFile},
    {"CampaignEntryWithoutFile", "config.xml", "<level file=\"levels/level2.xml\"/>", "<level/>",
     "error", "CEngine: Missing attribute \"file\" of <level> in config.xml"},
    {"CampaignLayerUnknown", "config.xml", "<campaign layer=\"nextlevel\">",
     "<campaign layer=\"between\">", "error",
     "unknown next-level layer \"between\": no layer set defines it"},
    // A <defaults> level other than the campaign's first is never played.
    {"DefaultsBesideCampaign", "config.xml", "<defaults level=\"levels/level1.xml\"/>",
     "<defaults level=\"levels/level2.xml\"/>", "warning",
     "<defaults> names a level, but <campaign> lists the levels played"},
    // The game reads only the first sound set: a broken second one is not checked as if used.
    {"SecondSoundSetIgnored", "config.xml", "<soundsetfile>sets/sounds.xml</soundsetfile>",
     "<soundsetfile>sets/sounds.xml</soundsetfile><soundsetfile>sets/more.xml</soundsetfile>",
     "warning", "another <soundsetfile> in <config>: the game reads only the first and ignores it",
     nullptr, 0, "sets/more.xml",
     "<soundset basedir=\"sounds\"><sample name=\"ember\">none.wav</sample>"
     "<cue event=\"shipfired\" sound=\"nothing\"/></soundset>"},
};

class CheckFindingsTest : public ::testing::TestWithParam<Mistake> {};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST_P(CheckFindingsTest, OneMistakeGivesExactlyItsFinding) {
    const Mistake& mistake = GetParam();
    TempDir data;
    data.CopyFrom(kDataDir);
    const std::string edited = data.Path() + "/" + mistake.file;
    int line = 0;
    if (mistake.from) {
        line = ReplaceInFile(edited, mistake.from, mistake.to);
        ASSERT_GT(line, 0) << "the default data no longer contains: " << mistake.from;
        if (mistake.from2) {
            ASSERT_GT(ReplaceInFile(edited, mistake.from2, mistake.to2), 0) << mistake.from2;
        }
    } else {
        data.Write(mistake.file, mistake.to);
    }
    if (mistake.extraFile) {
        data.Write(mistake.extraFile, mistake.extraText);
    }
    const std::string file = mistake.findingFile ? mistake.findingFile : mistake.file;
    if (mistake.findingLine != 0) {
        line = mistake.findingLine == kWholeFile ? 0 : mistake.findingLine;
    }

    const CheckRun run = RunCheck(data.Path());

    const bool error = std::string(mistake.severity) == "error";
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 2u) << run.out;
    const std::string prefix = file + ":" + std::to_string(line) + ": " + mistake.severity + ": ";
    EXPECT_EQ(lines[0].rfind(prefix, 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(mistake.message), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1], error ? "1 errors, 0 warnings" : "0 errors, 1 warnings");
    EXPECT_EQ(run.status, error ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Mistakes, CheckFindingsTest, ::testing::ValuesIn(kMistakes),
                         [](const ::testing::TestParamInfo<Mistake>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
