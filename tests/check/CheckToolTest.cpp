// The checker as a program: clean default data, the JSON form, the exit status for a folder
// it cannot read, and the level map of the default level.

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <string>
#include <vector>

#include "CheckToolRun.h"
#include "support/TempDir.h"

namespace {

const std::string kDataDir = std::string(GLIMMERAX_SOURCE_DIR) + "/data";

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    const unsigned char* At(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
};

// Reads a PNG with libpng; false when it is not one.
bool ReadPicture(const std::string& path, Picture& picture) {
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) != 0;
}

TEST(CheckToolTest, DefaultDataChecksClean) {
    const CheckRun run = RunCheck(kDataDir);
    EXPECT_EQ(run.out, "0 errors, 0 warnings\n");
    EXPECT_EQ(run.status, 0);

    const CheckRun json = RunCheck("--json " + kDataDir);
    EXPECT_EQ(json.out, "[]\n");
    EXPECT_EQ(json.status, 0);
}

TEST(CheckToolTest, JsonListsTheFindingsForTools) {
    TempDir data;
    data.CopyFrom(kDataDir);
    ASSERT_EQ(ReplaceInFile(data.Path() + "/config.xml", "width=\"1024\"", "width=\"1024px\""), 3);
    ASSERT_EQ(ReplaceInFile(data.Path() + "/gui/hud.xml", "font=\"small\"", "font=\"sm\\al\""), 10);

    const CheckRun run = RunCheck("--json " + data.Path());

    EXPECT_EQ(
        run.out,
        "[\n"
        "  {\"file\": \"config.xml\", \"line\": 3, \"severity\": \"warning\", \"message\": "
        "\"width=\\\"1024px\\\" on <config> has text after its number: the game reads it "
        "as 1024\", \"origin\": \"checker\"},\n"
        "  {\"file\": \"gui/hud.xml\", \"line\": 10, \"severity\": \"error\", \"message\": "
        "\"unknown font \\\"sm\\\\al\\\": no font set defines it\", \"origin\": \"checker\"}\n"
        "]\n");
    EXPECT_EQ(run.status, 1);
}

// Renaming a font leaves every use of the old name unknown: each file reports the first use
// with its line and counts the rest.
TEST(CheckToolTest, RepeatedFindingIsFoldedIntoTheFirstOfItsFile) {
    TempDir data;
    data.CopyFrom(kDataDir);
    ASSERT_GT(ReplaceInFile(data.Path() + "/sets/fonts.xml", "<font name=\"small\"",
                            "<font name=\"tiny\""),
              0);
    const CheckRun run = RunCheck(data.Path());
    EXPECT_NE(run.out.find("gui/hud.xml:10: error: unknown font \"small\": no font set defines "
                           "it (and 2 more times in this file)\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("gui/complete.xml:15: error: unknown font \"small\": no font set "
                           "defines it (and 2 more times in this file)\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\n5 errors, 0 warnings\n"), std::string::npos) << run.out;
}

TEST(CheckToolTest, UnreadableFolderOrConfigurationExitsWithTwo) {
    TempDir empty;
    EXPECT_EQ(RunCheck(empty.Path() + "/missing 2>/dev/null").status, 2);
    const CheckRun noConfig = RunCheck(empty.Path() + " 2>/dev/null");
    EXPECT_EQ(noConfig.status, 2);
    EXPECT_EQ(noConfig.out, "");
}

TEST(CheckToolTest, ConfigurationThatDoesNotParseIsAFindingWithItsLine) {
    TempDir data;
    data.Write("config.xml", "<config width=\"1\">\n  <guicfg>\n</config>\n");
    const CheckRun run = RunCheck(data.Path());
    EXPECT_EQ(run.out.rfind("config.xml:3: error: XML does not parse", 0), 0u) << run.out;
    EXPECT_EQ(run.status, 1);
}

// The default level: camera from x 0 at 1 unit per update with a 1024 x 512 view; the
// terrain strip ends at x 8192, so the map spans 8192 units at half size (4096 pixels), cut
// into two rows of 2048, each 256 pixels of picture and a 24-pixel ruler, 8 pixels apart.
TEST(CheckToolTest, MapOfTheDefaultLevelShowsTheFirstEnemysPath) {
    TempDir out;
    const std::string map = out.Path() + "/map.png";
    const CheckRun run = RunCheck("--map " + map + " " + kDataDir);
    EXPECT_EQ(run.status, 0);
    Picture picture;
    ASSERT_TRUE(ReadPicture(map, picture));
    EXPECT_EQ(picture.width, 2048);
    EXPECT_EQ(picture.height, 2 * (256 + 24) + 8);

    // dart1 enters at 2 s, 20 units right of the view (x about 1110), at y 330 with a frame
    // 32 high, and flies straight left at 6 units per update until the view (moving right
    // at 1) has passed it near x 174: its path runs at centre y 346, map row 255 - 173 = 82,
    // from map x 87 to 555. Normal behaviour is drawn amber (255, 190, 0); the samples
    // avoid the places where later weaving (cyan) paths cross it.
    for (const int x : {120, 250, 360, 430}) {
        const unsigned char* pixel = picture.At(x, 82);
        EXPECT_EQ(pixel[0], 255) << "x " << x;
        EXPECT_EQ(pixel[1], 190) << "x " << x;
        EXPECT_EQ(pixel[2], 0) << "x " << x;
    }
    // Above it, where no enemy flies, the background shows.
    const unsigned char* sky = picture.At(250, 20);
    EXPECT_FALSE(sky[0] == 255 && sky[1] == 190 && sky[2] == 0);
}

// A boss that stands still and two phases, each flown by the checker for 96 updates from
// where the one before left the boss, with the view held: the map draws each phase's flight
// beside the boss, moved left by the boss's width (160) and a 24-unit gap per phase, in its
// behaviour's colour.
TEST(CheckToolTest, MapDrawsEachBossPhasesFlightBesideTheBoss) {
    TempDir data;
    data.CopyFrom(kDataDir);
    data.Write("levels/level1.xml",
               "<level name=\"Phases\">\n"
               "  <camera><position x=\"0\" y=\"0\"/><velocity x=\"0\" y=\"0\"/>"
               "<size x=\"1024\" y=\"512\"/></camera>\n"
               "  <player><position x=\"96\" y=\"240\"/><scale x=\"1\" y=\"1\"/>"
               "<velocity x=\"0\" y=\"0\"/><sprite name=\"ship\" frame=\"0\"/>"
               "<projectile sprite=\"shot_player\" speed=\"20\"/></player>\n"
               "  <bg><position x=\"0\" y=\"0\"/><sprite back=\"space\" bspeed=\"0\" "
               "middle=\"ridges\" mspeed=\"0\" front=\"terrain\" fspeed=\"0\"/></bg>\n"
               "  <enemy name=\"keeper\" time=\"0\" health=\"900\">\n"
               "    <behaviour type=\"normal\"/><projectile shoots=\"no\"/>\n"
               "    <position x=\"-200\" y=\"150\"/><scale x=\"1\" y=\"1\"/>\n"
               "    <direction x=\"0\" y=\"1\" speed=\"0\"/><sprite name=\"warden\" frame=\"0\"/>\n"
               "    <boss>\n"
               "      <phase below=\"600\" speed=\"2\"/>\n"
               "      <phase below=\"300\" behaviour=\"curve\" turnspeed=\"0\" speed=\"2\"/>\n"
               "    </boss>\n"
               "  </enemy>\n"
               "</level>\n");
    const std::string map = data.Path() + "/map.png";
    const CheckRun run = RunCheck("--map " + map + " " + data.Path());
    EXPECT_EQ(run.status, 0) << run.out;
    Picture picture;
    ASSERT_TRUE(ReadPicture(map, picture));
    ASSERT_EQ(picture.width, 512);  // the standing view at half size
    // The boss's box centre is at (904, 198). The first phase climbs 2 units per update from
    // there, drawn at x 904 - 184 = 720 (map column 360): amber, as a normal flight. The
    // second goes on climbing from y 390 until it leaves the view, drawn at x 536 (map column
    // 268): magenta, as a curve. Map row = 255 - y / 2.
    const auto is = [&](int x, int y, unsigned char r, unsigned char g, unsigned char b) {
        const unsigned char* pixel = picture.At(x, y);
        return pixel[0] == r && pixel[1] == g && pixel[2] == b;
    };
    for (const int row : {150, 105, 70}) {  // world y 210, 300, 370
        EXPECT_TRUE(is(360, row, 255, 190, 0)) << "first phase, row " << row;
        EXPECT_FALSE(is(268, row, 255, 60, 220)) << "second phase too early, row " << row;
    }
    for (const int row : {50, 30}) {  // world y 410, 450
        EXPECT_TRUE(is(268, row, 255, 60, 220)) << "second phase, row " << row;
    }
}

TEST(CheckToolTest, NoMapWithoutALevel) {
    TempDir data;
    data.CopyFrom(kDataDir);
    const std::string config = data.Path() + "/config.xml";
    ASSERT_GT(ReplaceInFile(config, "<defaults level=\"levels/level1.xml\"/>", ""), 0);
    // The campaign, too, is left out.
    ASSERT_GT(ReplaceInFile(config, "<campaign layer=\"nextlevel\">", "<!--"), 0);
    ASSERT_GT(ReplaceInFile(config, "</campaign>", "-->"), 0);
    const std::string map = data.Path() + "/map.png";
    const CheckRun run = RunCheck("--map " + map + " " + data.Path() + " 2>/dev/null");
    EXPECT_EQ(run.status, 1);
    Picture picture;
    EXPECT_FALSE(ReadPicture(map, picture));
}

}  // namespace
