// The checker with mods: it reads the layers the game reads, and each finding names the layer
// its file came from.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "CheckToolRun.h"
#include "support/TempDir.h"

namespace {

const std::string kDataDir = std::string(GLIMMERAX_SOURCE_DIR) + "/data";

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The output's line that begins with prefix, or "" when there is none.
std::string LineStarting(const std::string& out, const std::string& prefix) {
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        if (line.compare(0, prefix.size(), prefix) == 0) {
            return line;
        }
    }
    return "";
}

}  // namespace

TEST(CheckModTest, FindingsNameTheLayerTheirFileCameFrom) {
    TempDir data;
    data.CopyFrom(kDataDir);
    ASSERT_EQ(ReplaceInFile(data.Path() + "/config.xml", "width=\"1024\"", "width=\"1024px\""), 3);
    TempDir mod;
    mod.Write("about.xml", "<mod><name>Broken HUD</name></mod>");
    const std::string hud = mod.Write("gui/hud.xml", ReadText(kDataDir + "/gui/hud.xml"));
    ASSERT_EQ(ReplaceInFile(hud, "font=\"small\"", "font=\"tiny\""), 10);

    const CheckRun plain = RunCheck(data.Path() + " 2>/dev/null");
    EXPECT_EQ(LineStarting(plain.out, "gui/hud.xml:"), "");

    const CheckRun run = RunCheck("--mod " + mod.Path() + " " + data.Path() + " 2>/dev/null");
    EXPECT_EQ(run.status, 1);
    const std::string modLine = LineStarting(run.out, "gui/hud.xml:10: error: ");
    ASSERT_NE(modLine, "") << run.out;
    EXPECT_NE(modLine.find("tiny"), std::string::npos) << modLine;
    EXPECT_EQ(modLine.substr(modLine.size() - 19), " [layer Broken HUD]") << modLine;
    const std::string baseLine = LineStarting(run.out, "config.xml:3: ");
    ASSERT_NE(baseLine, "") << run.out;
    EXPECT_EQ(baseLine.substr(baseLine.size() - 13), " [layer data]") << baseLine;

    // A mod folder that does not exist is left out; the base is checked as without it.
    const CheckRun missing =
        RunCheck("--mod " + mod.Path() + "/none " + data.Path() + " 2>/dev/null");
    EXPECT_EQ(missing.out, plain.out);
}
