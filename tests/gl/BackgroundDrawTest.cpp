// The background's three layers tiled across the view, read back from the window.
#include <gtest/gtest.h>

#include <memory>

#include "SolidSprite.h"
#include "game/ShooterBackground.h"
#include "game/ShooterCamera.h"
#include "world/ShooterWorld.h"

namespace {

class BackgroundDrawTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        world = ShooterWorld::GetInstance();
        world->Level().SetCamera(std::make_unique<ShooterCamera>());
        world->Level().Camera()->m_size = Vector2(1024.0f, 512.0f);
        // Textures need the window's context, which exists from here on.
        back = std::make_unique<SolidSprite>(64, 100, Rgba{0, 0, 255, 255});
        middle = std::make_unique<SolidSprite>(128, 16, Rgba{0, 255, 0, 255});
        front = std::make_unique<SolidSprite>(200, 32, Rgba{255, 0, 0, 255});
        background.m_backSprite = back->Get();
        background.m_middleSprite = middle->Get();
        background.m_frontSprite = front->Get();
    }
    void TearDown() override { ShooterWorld::DestroyInstance(); }

    static Rgba At(int x, int y) { return GLWindow::ReadPixel(x, y); }

    std::unique_ptr<SolidSprite> back;
    std::unique_ptr<SolidSprite> middle;
    std::unique_ptr<SolidSprite> front;
    ShooterBackground background;
    ShooterWorld* world = nullptr;
};

}  // namespace

TEST_F(BackgroundDrawTest, LayersAreDrawnBackMiddleFrontWithTheMiddleRaised) {
    background.Render();
    EXPECT_EQ(At(5, 10).r, 255);  // front over back
    EXPECT_EQ(At(5, 10).b, 0);
    EXPECT_EQ(At(5, 40).b, 255);  // back alone
    EXPECT_EQ(At(5, 55).g, 255);  // middle, 50 above the others
    EXPECT_EQ(At(5, 55).b, 0);
    EXPECT_EQ(At(5, 70).b, 255);
    EXPECT_EQ(At(5, 120).b, 0);  // above everything
}

TEST_F(BackgroundDrawTest, ScrolledTilesCoverTheWholeView) {
    background.m_frontOffset = -150.0f;
    background.m_backOffset = -63.0f;
    background.Render();
    for (int x : {0, 49, 50, 51, 249, 250, 700, 1023}) {
        EXPECT_EQ(At(x, 10).r, 255) << x;
        EXPECT_EQ(At(x, 90).b, 255) << x;
    }
}

TEST_F(BackgroundDrawTest, TilesFollowAMovedCamera) {
    world->Level().Camera()->m_position = Vector2(1000.0f, 0.0f);
    background.m_frontOffset = -37.0f;
    world->Level().Camera()->ApplyView();
    background.Render();
    glLoadIdentity();
    for (int x : {0, 300, 1023}) {
        EXPECT_EQ(At(x, 10).r, 255) << x;
    }
}

TEST_F(BackgroundDrawTest, ALayerWithoutSpriteOrWidthIsSkipped) {
    background.m_frontSprite = nullptr;
    background.m_middleSprite->m_frameWidth = 0;
    background.Render();
    EXPECT_EQ(At(5, 10).r, 0);
    EXPECT_EQ(At(5, 10).b, 255);
    EXPECT_EQ(At(5, 55).g, 0);
    background.m_middleSprite->m_frameWidth = 128;
}
