// The texture upload: own size (no power-of-two padding), repeat wrapping, linear filtering,
// and the image's top row at t = 0.

#include "resources/TextureUpload.h"

#include <GL/gl.h>

#include <vector>

#include "support/GLWindow.h"

namespace {

GLint TextureParameter(GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

GLint LevelParameter(GLenum name) {
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    return value;
}

}  // namespace

TEST_F(GLTest, TextureIsUploadedAtTheImageSizeWithRepeatAndLinear) {
    const int width = 100, height = 60;
    std::vector<unsigned char> rgba(size_t(width) * height * 4, 200);
    const uint32_t texture = UploadTexture(rgba, width, height);
    ASSERT_NE(texture, 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), texture);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_WIDTH), 100);
    EXPECT_EQ(LevelParameter(GL_TEXTURE_HEIGHT), 60);
    EXPECT_EQ(TextureParameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(TextureParameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
    EXPECT_EQ(TextureParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(TextureParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    GLuint name = texture;
    glDeleteTextures(1, &name);
}

TEST_F(GLTest, TopRowOfTheImageIsTextureCoordinateZero) {
    // 2 x 2: top row red, bottom row blue.
    const std::vector<unsigned char> rgba = {255, 0, 0,   255, 255, 0, 0,   255,
                                             0,   0, 255, 255, 0,   0, 255, 255};
    const uint32_t texture = UploadTexture(rgba, 2, 2);
    std::vector<unsigned char> back(16, 0);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, back.data());
    EXPECT_EQ(back, rgba);

    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0.5f, 0.25f);  // samples the first row only
    glVertex2i(0, 0);
    glVertex2i(8, 0);
    glVertex2i(8, 8);
    glVertex2i(0, 8);
    glEnd();
    const Rgba pixel = GLWindow::ReadPixel(4, 4);
    EXPECT_EQ(pixel.r, 255);
    EXPECT_EQ(pixel.b, 0);
    GLuint name = texture;
    glDeleteTextures(1, &name);
}
