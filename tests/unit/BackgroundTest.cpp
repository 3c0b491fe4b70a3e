#include "game/ShooterBackground.h"

#include <gtest/gtest.h>

#include <vector>

#include "GameTestSupport.h"
#include "support/LogCapture.h"

using gametest::RegisterSprite;

namespace {

// Scrolls a background whose three layers share one sprite n times.
void Scroll(ShooterBackground& background, int n) {
    for (int i = 0; i < n; ++i) {
        float dt = 31.0f;
        background.Update(dt);
    }
}

}  // namespace

TEST(BackgroundTest, LoadsItsLayersAndComputesTheFrontBox) {
    const std::string back = RegisterSprite("back", 512, 256)->m_name;
    const std::string front = RegisterSprite("front", 256, 64)->m_name;
    gametest::XmlSnippet xml("<bg><position x='30' y='10'/><sprite back='" + back +
                             "' bspeed='0.5' middle='" + back + "' mspeed='1' front='" + front +
                             "' fspeed='2'/></bg>");
    ShooterBackground background;
    EXPECT_TRUE(background.Load(xml.Root()));
    ASSERT_NE(background.m_backSprite, nullptr);
    ASSERT_NE(background.m_middleSprite, nullptr);
    ASSERT_NE(background.GetFrontSprite(), nullptr);
    EXPECT_EQ(background.m_backSprite->m_name, back);
    EXPECT_EQ(background.m_middleSprite->m_name, back);
    EXPECT_EQ(background.GetFrontSprite()->m_name, front);
    EXPECT_EQ(background.m_backSpeed, 0.5f);
    EXPECT_EQ(background.m_middleSpeed, 1.0f);
    EXPECT_EQ(background.m_frontSpeed, 2.0f);
    const BoundingBox box = background.GetFrontBox();
    EXPECT_EQ(box.left, 30.0f);
    EXPECT_EQ(box.right, 286.0f);
    EXPECT_EQ(box.bottom, 10.0f);
    EXPECT_EQ(box.top, 74.0f);
    Scroll(background, 50);
    EXPECT_EQ(background.GetFrontBox().right, 286.0f);
}

TEST(BackgroundTest, OffsetsRestartAtZeroOncePastAWholeTile) {
    ShooterBackground background;
    background.m_frontSprite = RegisterSprite("scroll", 512, 64);
    background.m_frontSpeed = 2.0f;
    background.m_backSprite = background.m_frontSprite;
    background.m_middleSprite = background.m_frontSprite;
    background.m_middleSpeed = -1.0f;
    Scroll(background, 256);
    EXPECT_EQ(background.m_frontOffset, -512.0f);
    EXPECT_EQ(background.m_backOffset, 0.0f);
    Scroll(background, 1);
    EXPECT_EQ(background.m_frontOffset, 0.0f);
    EXPECT_EQ(background.m_middleOffset, 257.0f);
}

TEST(BackgroundTest, TilesCoverTheViewFromTheScrolledStart) {
    const std::vector<float> tiles = ShooterBackground::TilePositions(0.0f, 640.0f, 256, -10.0f);
    EXPECT_EQ(tiles, (std::vector<float>{-10.0f, 246.0f, 502.0f, 758.0f}));
}

TEST(BackgroundTest, TilesFollowTheCamera) {
    // (1000 - 100) / 256 = 3.5: the first tile starts at 3 x 256 - 100 = 668.
    const std::vector<float> tiles =
        ShooterBackground::TilePositions(1000.0f, 512.0f, 256, -100.0f);
    EXPECT_EQ(tiles, (std::vector<float>{668.0f, 924.0f, 1180.0f, 1436.0f}));
}

TEST(BackgroundTest, LayersOfNoWidthOrFarAwayCamerasDrawNoEndlessRow) {
    EXPECT_TRUE(ShooterBackground::TilePositions(0.0f, 640.0f, 0, 0.0f).empty());
    EXPECT_TRUE(ShooterBackground::TilePositions(0.0f, 640.0f, -5, 0.0f).empty());
    EXPECT_LE(ShooterBackground::TilePositions(3e10f, 640.0f, 1, 0.0f).size(), 4096u);
    EXPECT_LE(ShooterBackground::TilePositions(0.0f, 1e12f, 1, 0.0f).size(), 4096u);
}

TEST(BackgroundTest, UnknownLayerSpritesAreLoggedAndNotDrawn) {
    LogCapture log;
    gametest::XmlSnippet xml(
        "<bg><position x='0' y='0'/><sprite back='nosuchback' "
        "middle='nosuchmiddle' fspeed='1'/></bg>");
    ShooterBackground background;
    background.Load(xml.Root());
    EXPECT_TRUE(log.Contains("Sprite \"nosuchback\" not found"));
    EXPECT_TRUE(log.Contains("Missing attribute \"front\""));
    EXPECT_EQ(background.GetFrontSprite(), nullptr);
    EXPECT_EQ(background.GetFrontBox().right, 0.0f);
    Scroll(background, 3);
    EXPECT_EQ(background.m_frontOffset, 0.0f);
    background.Render();
}
