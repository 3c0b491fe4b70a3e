// Frames: the plain path, the scene order, the exception guard and the motion-blur
// composition from the ring of four frame textures.
#include <memory>
#include <vector>

#include "WorldGLSupport.h"
#include "game/ShooterCamera.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"

namespace {

class RenderTest : public WorldGLTest {
protected:
    void SetUp() override {
        WorldGLTest::SetUp();
        ASSERT_TRUE(InitWindow()) << m_log.Text();
        ASSERT_TRUE(m_world->Ring().IsSupported()) << m_log.Text();
    }

    // A level in progress: a player, a camera at the origin and an explosion manager.
    void StartLevel() {
        m_world->Level().SetPlayer(std::make_unique<ShooterPlayer>());
        m_world->Level().SetCamera(std::make_unique<ShooterCamera>());
        m_world->Level().SetExplosions(std::make_unique<ShooterExplosionManager>());
    }
    // The world owns what it is given, as in the game.
    void AddEnemy(ShooterEnemy* enemy) { m_world->Level().EnemyList().emplace_back(enemy); }
    void AddProjectile(RectProjectile* projectile) {
        m_world->Level().ProjectileList().emplace_back(projectile);
    }
    // Makes one ring slot a solid colour.
    void FillSlot(int slot, float r, float g, float b) {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, m_world->Ring().FrameBuffer());
        glDrawBuffer(GL_COLOR_ATTACHMENT0_EXT + slot);
        glClearColor(r, g, b, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    }
    // What the window shows for an accumulated sum of weight (white weighted by weight, as
    // GL_LOAD then GL_RETURN give it). Some drivers store the window gamma-encoded and apply
    // the encoding to the returned sum; the composition is compared through the same path.
    static double Returned(double weight) {
        glDrawBuffer(GL_BACK);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        FillRect(0, 0, 16, 16, 1, 1, 1);
        glAccum(GL_LOAD, static_cast<float>(weight));
        glAccum(GL_RETURN, 1.0f);
        return GLWindow::ReadPixel(8, 8).r;
    }
    static bool ModelViewIsIdentity() {
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        for (int i = 0; i < 16; ++i) {
            if (m[i] != (i % 5 == 0 ? 1.0f : 0.0f)) {
                return false;
            }
        }
        return true;
    }
};

TEST_F(RenderTest, WithoutLevelTheFrameIsBlack) {
    FillRect(0, 0, 1024, 512, 1, 1, 1);
    m_world->Render();
    const Rgba pixel = ReadShown(500, 200);
    EXPECT_EQ(pixel.r, 0);
    EXPECT_EQ(pixel.g, 0);
    EXPECT_EQ(pixel.b, 0);
}

TEST_F(RenderTest, SceneIsDrawnInOrderThroughTheCamera) {
    StartLevel();
    m_world->Level().Camera()->m_position = Vector2(100, 0);
    AddEnemy(new RectEnemy(110, 10, 20, 20, 1, 0, 0));
    m_world->Level().EnemyList().emplace_back(nullptr);
    AddEnemy(new RectEnemy(120, 10, 20, 20, 0, 1, 0));
    m_world->Level().ProjectileList().emplace_back(nullptr);
    AddProjectile(new RectProjectile(135, 10));
    m_world->Render();
    // The stub camera of the foundation may not translate yet; read where the camera puts it.
    glLoadIdentity();
    m_world->Level().Camera()->ApplyView();
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    glLoadIdentity();
    const int dx = static_cast<int>(m[12]);
    const bool cameraTranslates = dx != 0;
    const Rgba first = ReadShown(115 + dx, 15);
    const Rgba second = ReadShown(125 + dx, 15);
    const Rgba shot = ReadShown(137 + dx, 15);
    EXPECT_EQ(first.r, 255);
    EXPECT_EQ(second.g, 255);  // later enemies cover earlier ones
    EXPECT_EQ(second.r, 0);
    EXPECT_EQ(shot.b, 255);  // projectiles cover enemies
    EXPECT_EQ(shot.g, 0);
    if (cameraTranslates) {
        EXPECT_TRUE(ModelViewIsIdentity());  // the camera translation is undone
    }
}

TEST_F(RenderTest, ExceptionIsLoggedAndTheViewRestored) {
    StartLevel();
    m_world->Level().Camera()->m_position = Vector2(40, 30);
    AddEnemy(new ThrowingEnemy());
    AddEnemy(new RectEnemy(0, 0, 1024, 512, 1, 0, 0));
    m_log.Clear();
    m_world->Render();
    EXPECT_EQ(m_log.Text(), "Exception found: boom\n");
    EXPECT_TRUE(ModelViewIsIdentity());
    EXPECT_EQ(ReadShown(500, 200).r, 0);  // the rest of the scene is skipped
}

TEST_F(RenderTest, MotionBlurWithoutRingTakesThePlainPath) {
    StartLevel();
    AddEnemy(new RectEnemy(0, 0, 1024, 512, 1, 0, 0));
    m_world->Ring().SetOn(true);
    m_world->Ring().Release();
    m_world->Render();
    const Rgba pixel = ReadShown(500, 200);
    EXPECT_EQ(pixel.r, 255);
    EXPECT_EQ(pixel.g, 0);
}

// The ring starts white: a red scene composed with three white slots is red with 0.57 white.
TEST_F(RenderTest, FirstBlurredFrameIsBrightenedByTheWhiteRing) {
    StartLevel();
    AddEnemy(new RectEnemy(0, 0, 1024, 512, 1, 0, 0));
    m_world->Ring().SetOn(true);
    m_world->Render();
    std::vector<Rgba> pixels;
    for (const auto& at :
         {std::make_pair(500, 200), std::make_pair(0, 0), std::make_pair(1023, 511)}) {
        pixels.push_back(ReadShown(at.first, at.second));
    }
    const double white = Returned(0.12 + 0.15 + 0.3);
    for (const Rgba& pixel : pixels) {
        EXPECT_NEAR(pixel.r, 255, 3);
        EXPECT_NEAR(pixel.g, white, 3);
        EXPECT_NEAR(pixel.b, white, 3);
        EXPECT_GT(pixel.g, 100);
        EXPECT_LT(pixel.g, 230);
    }
}

// Each slot contributes its own weight: the current slot 0.43, then the previous tick 0.3,
// two ticks ago 0.15, three ticks ago 0.12.
TEST_F(RenderTest, BlurredFrameIsTheWeightedSumOfTheRing) {
    StartLevel();
    m_world->Ring().SetSlot(1);
    FillSlot(2, 1, 0, 0);  // three ticks old
    FillSlot(3, 0, 1, 0);  // two ticks old
    FillSlot(0, 0, 0, 1);  // previous tick
    AddEnemy(new RectEnemy(0, 0, 1024, 512, 1, 1, 1));
    m_world->Ring().SetOn(true);
    m_world->Render();
    const Rgba pixel = ReadShown(300, 300);
    EXPECT_NEAR(pixel.r, Returned(0.43 + 0.12), 3);
    EXPECT_NEAR(pixel.g, Returned(0.43 + 0.15), 3);
    EXPECT_NEAR(pixel.b, Returned(0.43 + 0.3), 3);
    EXPECT_LT(pixel.r, pixel.g);
    EXPECT_LT(pixel.g, pixel.b);
}

// Once every slot holds the scene the image is the scene itself, untinted by the colour the
// scene's last draw call left behind.
TEST_F(RenderTest, FilledRingComposesTheTrueImage) {
    StartLevel();
    AddEnemy(new RectEnemy(0, 0, 1024, 512, 1, 0, 0));
    m_world->Ring().SetOn(true);
    for (uint32_t slot = 0; slot < 4; ++slot) {
        m_world->Ring().SetSlot(slot);
        m_world->Render();
    }
    const Rgba pixel = ReadShown(700, 100);
    EXPECT_NEAR(pixel.r, 255, 3);
    EXPECT_NEAR(pixel.g, 0, 3);
    EXPECT_NEAR(pixel.b, 0, 3);
    EXPECT_TRUE(ModelViewIsIdentity());
}

}  // namespace
