// Motion blur composed by blending, in the real game: chosen by config.xml (motionblur="blend")
// where the window has an accumulation buffer, and chosen by itself where it has none. Either
// way, pressing N in play shows the scene and the HUD, not a blank or white window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/GameProcess.h"
#include "support/TempDir.h"

namespace {

// Window pixels from the top-left corner, as in the default game's own test: the title's
// start button, the HUD's health icons and score digits.
constexpr int kStartX = 512;
constexpr int kStartY = 322;

int HealthPixels(const GameProcess& game) {
    int count = 0;
    for (int y = 4; y < 44; ++y) {
        for (int x = 96; x < 240; ++x) {
            const Rgba p = game.Pixel(x, y);
            count += p.g > 150 && p.r < 150 && p.b < 200 && p.g > p.b ? 1 : 0;
        }
    }
    return count;
}

int ScorePixels(const GameProcess& game) {
    int count = 0;
    for (int y = 4; y < 44; ++y) {
        for (int x = 630; x < 900; ++x) {
            const Rgba p = game.Pixel(x, y);
            count += p.r > 200 && p.g > 200 && p.b > 200 ? 1 : 0;
        }
    }
    return count;
}

// Pixels of the playfield that are near white: the white ring of the first blurred frames.
int WhitePixels(const GameProcess& game) {
    int count = 0;
    for (int y = 100; y < 400; y += 4) {
        for (int x = 0; x < 1024; x += 4) {
            const Rgba p = game.Pixel(x, y);
            count += p.r > 230 && p.g > 230 && p.b > 230 ? 1 : 0;
        }
    }
    return count;
}

// The playfield on a coarse grid: the background scrolls on all the time, so two frames taken
// apart differ there unless the window stopped being drawn.
std::vector<Rgba> Playfield(const GameProcess& game) {
    std::vector<Rgba> pixels;
    for (int y = 100; y < 400; y += 8) {
        for (int x = 0; x < 1024; x += 8) {
            pixels.push_back(game.Pixel(x, y));
        }
    }
    return pixels;
}

int Changed(const std::vector<Rgba>& before, const std::vector<Rgba>& after) {
    int changed = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        changed +=
            before[i].r != after[i].r || before[i].g != after[i].g || before[i].b != after[i].b ? 1
                                                                                                : 0;
    }
    return changed;
}

class MotionBlurE2E : public ::testing::Test {
protected:
    // The default game in a fresh folder, config.xml given extra attributes on its root.
    void WriteGame(const std::string& attributes) {
        const std::string data = std::string(GLIMMERAX_SOURCE_DIR) + "/data";
        m_dir.CopyFrom(data);
        std::ifstream in(data + "/config.xml");
        std::stringstream config;
        config << in.rdbuf();
        std::string text = config.str();
        const std::string root = "<config ";
        text.replace(text.find(root), root.size(), root + attributes + " ");
        m_dir.Write("config.xml", text);
    }
    // Leaves the title, switches motion blur on and checks the blurred frames.
    void PlayWithBlur() {
        ASSERT_TRUE(m_game.WaitForWindow()) << m_game.Log();
        GameProcess::Sleep(1000);
        m_game.Click(kStartX, kStartY);
        m_game.MoveMouse(600, 300);
        GameProcess::Sleep(700);
        ASSERT_TRUE(m_game.Screenshot());
        const int plainHealth = HealthPixels(m_game);
        ASSERT_GT(plainHealth, 50) << "no health meter in the HUD";
        ASSERT_GT(ScorePixels(m_game), 20) << "no score in the HUD";
        m_game.Key("n");
        // Once the ring has filled (four ticks), the still HUD composes to itself.
        GameProcess::Sleep(1000);
        ASSERT_TRUE(m_game.Screenshot());
        m_game.SaveScreenshot(m_dir.Path() + "/blurred.png");
        EXPECT_NEAR(HealthPixels(m_game), plainHealth, plainHealth / 10) << m_game.Log();
        EXPECT_GT(ScorePixels(m_game), 20);
        EXPECT_LT(WhitePixels(m_game), 100) << "the white ring never faded";
        const std::vector<Rgba> before = Playfield(m_game);
        GameProcess::Sleep(500);
        ASSERT_TRUE(m_game.Screenshot());
        EXPECT_GT(Changed(before, Playfield(m_game)), 200) << "the blurred frames stand still";
        m_game.Key("Escape");
        EXPECT_EQ(m_game.WaitExit(), 1);
        EXPECT_EQ(m_game.Log().find("motion blur is not available"), std::string::npos)
            << m_game.Log();
        EXPECT_EQ(m_game.Log().find("needs OpenGL 2.0"), std::string::npos) << m_game.Log();
    }

    TempDir m_dir;
    GameProcess m_game;
};

TEST_F(MotionBlurE2E, BlendChosenInTheConfigurationShowsTheScene) {
    WriteGame("motionblur=\"blend\"");
    ASSERT_TRUE(m_game.Start(m_dir.Path()));
    PlayWithBlur();
    EXPECT_NE(m_game.Log().find("Accumulation buffer: 16 bits per channel."), std::string::npos);
}

TEST_F(MotionBlurE2E, WithoutAccumulationBufferBlurBlendsTheRing) {
    WriteGame("");
    setenv("GLIMMERAX_NO_ACCUM", "1", 1);
    const bool started = m_game.Start(m_dir.Path());
    unsetenv("GLIMMERAX_NO_ACCUM");
    ASSERT_TRUE(started);
    PlayWithBlur();
    EXPECT_NE(m_game.Log().find("Accumulation buffer: none; motion blur blends the frame ring "
                                "instead."),
              std::string::npos)
        << m_game.Log();
}

}  // namespace
