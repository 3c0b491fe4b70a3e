// The real binary starting up: window, set-up messages and cleared frames with a
// configuration that loads resources but no level; ending at once when it cannot start.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "support/GameProcess.h"
#include "support/TempDir.h"

namespace {

std::string Capture(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof(buffer), pipe)) {
            output += buffer;
        }
        pclose(pipe);
    }
    return output;
}

std::string ReadTestFile(const std::string& name) {
    std::ifstream in(std::string(GLIMMERAX_TEST_DATA) + "/engine/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A game folder with one sprite, one animation and one font, and no level.
void WriteGameWithoutLevel(const TempDir& dir) {
    dir.Write("config.xml",
              "<config width=\"1024\" height=\"512\" gameoverlayer=\"gameover\" "
              "gamecompletelayer=\"complete\">\n"
              "  <spritesetfile>data\\sprites.xml</spritesetfile>\n"
              "  <animationsetfile>data/anims.xml</animationsetfile>\n"
              "  <fontsetfile>data/fonts.xml</fontsetfile>\n"
              "  <guicfg/>\n  <explosioncfg/>\n</config>\n");
    dir.Write("data/sprites.xml",
              "<spriteset basedir=\"data\\art\"><sprite name=\"sheet\"><image swidth=\"16\" "
              "sheight=\"16\" numframes=\"8\" rows=\"2\" columns=\"4\">sheet.png</image>"
              "</sprite></spriteset>");
    dir.Write("data/art/sheet.png", ReadTestFile("sheet.png"));
    dir.Write("icon.png", ReadTestFile("icon.png"));
    dir.Write("data/anims.xml",
              "<animationset><animation name=\"spin\"><action name=\"turn\" totaltime=\"100\">"
              "<keyframe frameid=\"0\" time=\"0\"/></action></animation></animationset>");
    dir.Write("data/fonts.xml",
              "<fontset><font name=\"digits\" sprite=\"sheet\"><entry char=\"0\" frame=\"0\"/>"
              "</font></fontset>");
}

// Starts the game with some environment variables changed for it alone.
bool StartWith(GameProcess& game, const std::string& directory,
               const std::vector<std::pair<std::string, std::string>>& variables) {
    std::vector<std::pair<std::string, const char*>> saved;
    for (const auto& variable : variables) {
        const char* old = std::getenv(variable.first.c_str());
        saved.emplace_back(variable.first, old ? strdup(old) : nullptr);
        setenv(variable.first.c_str(), variable.second.c_str(), 1);
    }
    const bool started = game.Start(directory);
    for (const auto& variable : saved) {
        if (variable.second) {
            setenv(variable.first.c_str(), variable.second, 1);
            free(const_cast<char*>(variable.second));
        } else {
            unsetenv(variable.first.c_str());
        }
    }
    return started;
}

TEST(EngineStartE2E, OpensTheWindowLogsTheSetUpAndDrawsBlackFrames) {
    TempDir dir;
    WriteGameWithoutLevel(dir);
    GameProcess game;
    ASSERT_TRUE(game.Start(dir.Path()));
    ASSERT_TRUE(game.WaitForWindow()) << game.Log();
    ASSERT_TRUE(game.WaitForLog("CSprite: Sprite \"sheet\" Loaded\n")) << game.Log();

    const std::string log = game.Log();
    const std::vector<std::string> steps = {"SDL Initialised!\n",
                                            "SDL SetVideoMode worked correctly!\n",
                                            "Accumulation buffer: ",
                                            "OpenGL Viewport and whatnot set.\n",
                                            "GLEW initialised!\n",
                                            "FBO Initialised!\n",
                                            "Renderbuffer initialised!\n",
                                            "Framebuffers created!\n",
                                            "Renderbuffer created!\n",
                                            "InitGL completed.\n",
                                            "CSprite: Sprite \"sheet\" Loaded\n"};
    size_t last = 0;
    for (const std::string& step : steps) {
        const size_t at = log.find(step, last);
        ASSERT_NE(at, std::string::npos) << "\"" << step << "\" missing or out of order in:\n"
                                         << log;
        last = at;
    }
    EXPECT_EQ(log.find("CEngine:"), std::string::npos) << log;
    EXPECT_EQ(log.find("icon"), std::string::npos) << log;

    const std::string geometry =
        Capture("xdotool search --name '^Glimmerax$' getwindowgeometry 2>/dev/null");
    EXPECT_NE(geometry.find("Geometry: 1024x512"), std::string::npos) << geometry;
    ASSERT_TRUE(game.Screenshot());
    EXPECT_EQ(game.CountLit(0, 0, 1024, 512), 0);
    EXPECT_TRUE(game.Running());
}

TEST(EngineStartE2E, WithoutConfigurationItSaysSoAndEndsWithStatusOne) {
    TempDir dir;
    GameProcess game;
    ASSERT_TRUE(game.Start(dir.Path()));
    EXPECT_EQ(game.WaitExit(10000), 1);
    EXPECT_NE(game.Log().find("<config> xml definition not found in: config.xml\n"),
              std::string::npos)
        << game.Log();
    EXPECT_EQ(game.Log().find("SDL Initialised!"), std::string::npos);
}

TEST(EngineStartE2E, WithoutADisplayItSaysSoAndEndsWithStatusOne) {
    TempDir dir;
    WriteGameWithoutLevel(dir);
    GameProcess game;
    ASSERT_TRUE(StartWith(game, dir.Path(), {{"DISPLAY", ":4999"}, {"SDL_VIDEODRIVER", "x11"}}));
    EXPECT_EQ(game.WaitExit(10000), 1);
    EXPECT_NE(game.Log().find("Unable to initialize SDL: "), std::string::npos) << game.Log();
    EXPECT_EQ(game.Log().find("CSprite:"), std::string::npos) << game.Log();
}

TEST(EngineStartE2E, WithoutOpenGLItSaysSoAndEndsWithStatusOne) {
    TempDir dir;
    WriteGameWithoutLevel(dir);
    GameProcess game;
    ASSERT_TRUE(StartWith(game, dir.Path(), {{"SDL_VIDEODRIVER", "dummy"}}));
    EXPECT_EQ(game.WaitExit(10000), 1);
    EXPECT_NE(game.Log().find("SDL Initialised!\nUnable to create OpenGL screen: "),
              std::string::npos)
        << game.Log();
    EXPECT_EQ(game.Log().find("CSprite:"), std::string::npos) << game.Log();
}

}  // namespace
