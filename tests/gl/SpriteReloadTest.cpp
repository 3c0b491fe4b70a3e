// Live reload of a sprite set on a window: the new sheet goes into the sprite's own texture,
// so the next draw shows it, and reloading never adds a texture. The sanitized build runs the
// same loop under AddressSanitizer, which catches a sprite's memory used after it was freed.
#include <GL/glew.h>

#include <string>
#include <vector>

#include "png/PngEncoder.h"
#include "resources/CSprite.h"
#include "resources/CSpriteManager.h"
#include "support/GLWindow.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

namespace {

std::string SolidPng(uint32_t width, uint32_t height, unsigned char r, unsigned char g,
                     unsigned char b) {
    std::vector<unsigned char> rgb;
    for (uint32_t i = 0; i < width * height; ++i) {
        rgb.insert(rgb.end(), {r, g, b});
    }
    return PngEncoder::EncodeRgb(rgb.data(), width, height);
}

// A set of one sprite "s" of 16 x 16 frames on the sheet image.
std::string SpriteSet(const std::string& image, int frames) {
    return "<spriteset basedir=\"art\"><sprite name=\"s\"><image swidth=\"16\" sheight=\"16\" "
           "numframes=\"" +
           std::to_string(frames) + "\" columns=\"" + std::to_string(frames) + "\">" + image +
           "</image></sprite></spriteset>";
}

// How many of the first 4096 texture names are live textures.
int LiveTextures() {
    int live = 0;
    for (GLuint name = 1; name <= 4096; ++name) {
        live += glIsTexture(name) ? 1 : 0;
    }
    return live;
}

class SpriteReloadTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        m_dir.Enter();
        CSpriteManager::GetInstance()->UnloadAll();
    }
    void TearDown() override { CSpriteManager::GetInstance()->UnloadAll(); }

    TempDir m_dir;
};

}  // namespace

TEST_F(SpriteReloadTest, AHundredReloadsShowEachVersionThroughTheSameTexture) {
    m_dir.Write("art/red.png", SolidPng(16, 16, 255, 0, 0));
    m_dir.Write("art/blue.png", SolidPng(32, 16, 0, 0, 255));
    m_dir.Write("sprites.xml", SpriteSet("red.png", 1));
    CSpriteManager* sprites = CSpriteManager::GetInstance();
    LogCapture log;
    sprites->LoadSpriteSet("sprites.xml");
    CSprite* sprite = sprites->GetSprite("s");
    ASSERT_NE(sprite, nullptr);
    ASSERT_NE(sprite->m_texture, 0u);
    const uint32_t texture = sprite->m_texture;
    const int live = LiveTextures();

    for (int i = 1; i <= 100; ++i) {
        const bool blue = i % 2 == 1;
        m_dir.Write("sprites.xml", blue ? SpriteSet("blue.png", 2) : SpriteSet("red.png", 1));
        ASSERT_TRUE(sprites->Reload("sprites.xml")) << "reload " << i;
        GLWindow::Clear();
        sprite->Draw(Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f), 0.0f, blue ? 1 : 0, 0, 1.0f);
        const Rgba pixel = GLWindow::ReadPixel(8, 8);
        ASSERT_EQ(pixel.r, blue ? 0 : 255) << "reload " << i;
        ASSERT_EQ(pixel.b, blue ? 255 : 0) << "reload " << i;
        ASSERT_EQ(sprite->m_texture, texture) << "reload " << i;
    }
    EXPECT_EQ(LiveTextures(), live);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
