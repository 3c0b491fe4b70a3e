// Sprite sheets decoded, uploaded and drawn a frame at a time, read back from the window.
// The test sheet is 64 x 32 with 16 x 16 frames in 4 columns: frame 0 red, 1 green (bottom
// half dark green), 2 blue (right half dark blue), 3 yellow, 4 magenta, 5 cyan, 6 white,
// 7 grey.
#include <GL/glew.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "resources/CSprite.h"
#include "resources/CSpriteManager.h"
#include "support/GLWindow.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

namespace {

std::string ReadTestFile(const std::string& name) {
    std::ifstream in(std::string(GLIMMERAX_TEST_DATA) + "/engine/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const Vector2 ONE(1.0f, 1.0f);

class SpriteDrawTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        m_dir.Enter();
        CSpriteManager::GetInstance()->UnloadAll();
    }
    void TearDown() override { CSpriteManager::GetInstance()->UnloadAll(); }

    // Loads the test sheet as sprite "sheet" from a set whose base directory is baseDir.
    CSprite* LoadSheet(const std::string& baseDir = "art",
                       const std::string& layout = "numframes=\"8\" columns=\"4\"") {
        std::string dir = baseDir;
        std::replace(dir.begin(), dir.end(), '\\', '/');
        m_dir.Write(dir + "/sheet.png", ReadTestFile("sheet.png"));
        m_dir.Write("sprites.xml", "<spriteset basedir=\"" + baseDir +
                                       "\"><sprite name=\"sheet\"><image swidth=\"16\" "
                                       "sheight=\"16\" rows=\"2\" " +
                                       layout + ">sheet.png</image></sprite></spriteset>");
        CSpriteManager::GetInstance()->LoadSpriteSet("sprites.xml");
        return CSpriteManager::GetInstance()->GetSprite("sheet");
    }

    TempDir m_dir;
};

TEST_F(SpriteDrawTest, LoadingDecodesUploadsAndLogs) {
    LogCapture log;
    CSprite* sprite = LoadSheet();
    ASSERT_NE(sprite, nullptr);
    EXPECT_TRUE(sprite->IsLoaded());
    EXPECT_EQ(log.Text(), "CSprite: Sprite \"sheet\" Loaded\n");
    EXPECT_EQ(sprite->m_imageWidth, 64);
    EXPECT_EQ(sprite->m_imageHeight, 32);
    EXPECT_EQ(sprite->m_pixels.size(), 64u * 32u * 4u);  // kept for the contact test
    EXPECT_TRUE(glIsTexture(sprite->m_texture));
}

TEST_F(SpriteDrawTest, FrameIsDrawnWithItsCornerAtThePosition) {
    LoadSheet()->Draw(Vector2(100, 50), ONE, 0, 5, 0, 1);
    const Rgba inside = GLWindow::ReadPixel(108, 58);
    EXPECT_EQ(inside.r, 0);
    EXPECT_EQ(inside.g, 255);
    EXPECT_EQ(inside.b, 255);
    EXPECT_EQ(GLWindow::ReadPixel(100, 50).g, 255);
    EXPECT_EQ(GLWindow::ReadPixel(115, 65).g, 255);
    EXPECT_EQ(GLWindow::ReadPixel(99, 58).g, 0);
    EXPECT_EQ(GLWindow::ReadPixel(116, 58).g, 0);
    EXPECT_EQ(GLWindow::ReadPixel(108, 66).g, 0);
}

TEST_F(SpriteDrawTest, FrameIsDrawnTheRightWayUp) {
    LoadSheet()->Draw(Vector2(150, 50), ONE, 0, 1, 0, 1);
    EXPECT_EQ(GLWindow::ReadPixel(158, 62).g, 255);  // top half of the cell
    EXPECT_EQ(GLWindow::ReadPixel(158, 53).g, 100);  // bottom half
}

TEST_F(SpriteDrawTest, ScaleEnlargesAwayFromTheCorner) {
    LoadSheet()->Draw(Vector2(200, 100), Vector2(2, 2), 0, 0, 0, 1);
    EXPECT_EQ(GLWindow::ReadPixel(229, 129).r, 255);
    EXPECT_EQ(GLWindow::ReadPixel(201, 101).r, 255);
    EXPECT_EQ(GLWindow::ReadPixel(233, 110).r, 0);
    EXPECT_EQ(GLWindow::ReadPixel(210, 133).r, 0);
}

TEST_F(SpriteDrawTest, FlipMirrorsAboutThePositionsVerticalLine) {
    LoadSheet()->Draw(Vector2(300, 50), ONE, 0, 2, 1, 1);
    EXPECT_EQ(GLWindow::ReadPixel(296, 58).b, 255);  // the cell's left half, now on the right
    EXPECT_EQ(GLWindow::ReadPixel(287, 58).b, 100);
    EXPECT_EQ(GLWindow::ReadPixel(302, 58).b, 0);
    EXPECT_EQ(GLWindow::ReadPixel(282, 58).b, 0);
}

TEST_F(SpriteDrawTest, AlphaBlendsAndTheAlphaTestDropsNearlyTransparentFrames) {
    CSprite* sprite = LoadSheet();
    sprite->Draw(Vector2(400, 50), ONE, 0, 6, 0, 0.5f);
    sprite->Draw(Vector2(450, 50), ONE, 0, 6, 0, 0.05f);
    EXPECT_NEAR(GLWindow::ReadPixel(408, 58).r, 128, 2);
    EXPECT_EQ(GLWindow::ReadPixel(458, 58).r, 0);
}

TEST_F(SpriteDrawTest, RotationTurnsTheFrameAboutItsOwnCorner) {
    CSprite* sprite = LoadSheet();
    sprite->Draw(Vector2(500, 100), ONE, 90, 0, 0, 1);
    EXPECT_EQ(GLWindow::ReadPixel(492, 108).r, 255);
    EXPECT_EQ(GLWindow::ReadPixel(508, 108).r, 0);
    sprite->Draw(Vector2(10, 0), ONE, 90, 3, 0, 1);
    EXPECT_EQ(GLWindow::ReadPixel(5, 8).g, 255);  // left of (10, 0), not at (0, 10)
    EXPECT_EQ(GLWindow::ReadPixel(5, 18).g, 0);
}

TEST_F(SpriteDrawTest, OutOfRangeFrameIsLoggedAndNotDrawn) {
    CSprite* sprite = LoadSheet();
    LogCapture log;
    sprite->Draw(Vector2(100, 100), ONE, 0, 8, 0, 1);
    EXPECT_EQ(log.Text(), "CSprite: Frame: 8 not in range of sprite sheet\n");
    EXPECT_EQ(GLWindow::ReadPixel(108, 108).r, 0);
    EXPECT_EQ(GLWindow::ReadPixel(108, 108).g, 0);
}

TEST_F(SpriteDrawTest, SheetSmallerThanItsGridDrawsOnlyTheFramesItHolds) {
    LogCapture log;
    CSprite* sprite = LoadSheet("art", "numframes=\"12\" columns=\"4\"");
    ASSERT_TRUE(sprite->IsLoaded());
    EXPECT_TRUE(
        log.Contains("CSprite: Image of sprite \"sheet\" (64 x 32) is smaller than its "
                     "frame grid"))
        << log.Text();
    log.Clear();
    sprite->Draw(Vector2(100, 100), ONE, 0, 9, 0, 1);
    EXPECT_EQ(log.Text(), "CSprite: Frame: 9 not in range of sprite sheet\n");
    sprite->Draw(Vector2(100, 100), ONE, 0, 5, 0, 1);
    EXPECT_EQ(GLWindow::ReadPixel(108, 108).g, 255);
}

TEST_F(SpriteDrawTest, BaseDirectoryWithBackslashesIsFound) {
    CSprite* sprite = LoadSheet("art\\ships");
    ASSERT_NE(sprite, nullptr);
    EXPECT_TRUE(sprite->IsLoaded());
}

TEST_F(SpriteDrawTest, UnloadAllDeletesTheTextures) {
    const uint32_t texture = LoadSheet()->m_texture;
    ASSERT_TRUE(glIsTexture(texture));
    CSpriteManager::GetInstance()->UnloadAll();
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_EQ(CSpriteManager::GetInstance()->GetSprite("sheet"), nullptr);
}

}  // namespace
