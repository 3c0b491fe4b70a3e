// The world's window and OpenGL set-up: its messages, the fixed drawing state and the frame
// ring of the motion-blur mode.
#include <fstream>
#include <iterator>
#include <regex>
#include <vector>

#include "WorldGLSupport.h"

namespace {

// Every position of the messages in the log, in the order given; -1 for a missing one.
std::vector<long> Positions(const std::string& log, const std::vector<std::string>& messages) {
    std::vector<long> positions;
    for (const std::string& message : messages) {
        const size_t at = log.find(message);
        positions.push_back(at == std::string::npos ? -1 : static_cast<long>(at));
    }
    return positions;
}

TEST_F(WorldGLTest, SetUpLogsItsStepsInOrder) {
    ASSERT_TRUE(InitWindow()) << m_log.Text();
    const std::vector<long> at =
        Positions(m_log.Text(),
                  {"SDL Initialised!\n", "SDL SetVideoMode worked correctly!\n",
                   "Accumulation buffer: ", "OpenGL Viewport and whatnot set.\n",
                   "GLEW initialised!\n", "FBO Initialised!\n", "Renderbuffer initialised!\n",
                   "Framebuffers created!\n", "Renderbuffer created!\n", "InitGL completed.\n"});
    for (size_t i = 0; i < at.size(); ++i) {
        ASSERT_GE(at[i], 0) << "message " << i << " missing from:\n" << m_log.Text();
        if (i > 0) {
            EXPECT_GT(at[i], at[i - 1]) << m_log.Text();
        }
    }
    // 32 bits per channel are asked for first, then 16: either is what the driver granted.
    EXPECT_TRUE(std::regex_search(
        m_log.Text(), std::regex("\nAccumulation buffer: (16|32) bits per channel\\.\n")))
        << m_log.Text();
    EXPECT_FALSE(m_log.Contains("Error in frame buffer."));
    EXPECT_TRUE(m_world->Ring().IsSupported());
}

TEST_F(WorldGLTest, WindowHasTheCaptionAndTheFixedDrawingState) {
    ASSERT_TRUE(InitWindow()) << m_log.Text();
    char* title = nullptr;
    char* icon = nullptr;
    SDL_WM_GetCaption(&title, &icon);
    ASSERT_NE(title, nullptr);
    EXPECT_STREQ(title, "Glimmerax");
    EXPECT_EQ(SDL_GetVideoSurface()->w, 1024);
    EXPECT_EQ(SDL_GetVideoSurface()->h, 512);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1024);
    EXPECT_EQ(viewport[3], 512);
    GLint framebuffer = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &framebuffer);
    EXPECT_EQ(framebuffer, 0);
    // Pixel units from the lower left: a point drawn at (3, 5) lands on pixel (3, 5).
    GLfloat clear[4] = {0, 0, 0, 0};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 1.0f);  // the ring was cleared to white last
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    FillRect(3, 5, 1, 1, 1, 1, 1);
    EXPECT_EQ(GLWindow::ReadPixel(3, 5).r, 255);
    EXPECT_EQ(GLWindow::ReadPixel(4, 5).r, 0);
}

TEST_F(WorldGLTest, MissingIconIsLoggedAndAPresentOneIsNot) {
    ASSERT_TRUE(InitWindow()) << m_log.Text();
    EXPECT_TRUE(m_log.Contains("Window icon icon.png is missing or not a usable PNG"));
    std::ifstream in(std::string(GLIMMERAX_TEST_DATA) + "/engine/icon.png", std::ios::binary);
    m_dir.Write("icon.png",
                std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    ASSERT_TRUE(InitWindow()) << m_log.Text();
    EXPECT_FALSE(m_log.Contains("icon")) << m_log.Text();
}

TEST_F(WorldGLTest, RingTexturesHaveTheWindowSizeAndStartWhite) {
    ASSERT_TRUE(InitWindow()) << m_log.Text();
    std::vector<unsigned char> pixels(1024 * 512 * 4);
    for (uint32_t texture : m_world->Ring().Textures()) {
        ASSERT_TRUE(glIsTexture(texture));
        glBindTexture(GL_TEXTURE_2D, texture);
        GLint width = 0;
        GLint height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        EXPECT_EQ(width, 1024);
        EXPECT_EQ(height, 512);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        EXPECT_EQ(pixels.front(), 255);
        EXPECT_EQ(pixels[pixels.size() / 2 + 1], 255);
        EXPECT_EQ(pixels.back(), 255);
    }
}

TEST_F(WorldGLTest, ClearFrameTexturesWhitensADrawnSlot) {
    ASSERT_TRUE(InitWindow()) << m_log.Text();
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, m_world->Ring().FrameBuffer());
    glDrawBuffer(GL_COLOR_ATTACHMENT0_EXT + 2);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    unsigned char texel[4] = {0, 0, 0, 0};
    std::vector<unsigned char> pixels(1024 * 512 * 4);
    glBindTexture(GL_TEXTURE_2D, m_world->Ring().Textures()[2]);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    ASSERT_EQ(pixels[1], 0);

    m_world->Ring().Clear();
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    std::copy(pixels.begin(), pixels.begin() + 4, texel);
    EXPECT_EQ(texel[0], 255);
    EXPECT_EQ(texel[1], 255);
    EXPECT_EQ(texel[2], 255);
    EXPECT_EQ(texel[3], 255);
}

TEST_F(WorldGLTest, ClearFrameTexturesWithoutRingDoesNothing) {
    ASSERT_TRUE(InitWindow()) << m_log.Text();
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, m_world->Ring().FrameBuffer());
    glDrawBuffer(GL_COLOR_ATTACHMENT0_EXT + 2);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glClearColor(0, 0, 1, 1);

    // The ring's names are dropped as after a lost context; slot 2's texture still exists.
    const uint32_t slot2 = m_world->Ring().Textures()[2];
    m_world->Ring().Forget();
    m_world->Ring().Clear();
    std::vector<unsigned char> pixels(1024 * 512 * 4);
    glBindTexture(GL_TEXTURE_2D, slot2);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    EXPECT_EQ(pixels[0], 255);  // still the red the slot was cleared to
    EXPECT_EQ(pixels[1], 0);
    GLfloat clear[4] = {0, 0, 0, 0};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 0.0f);  // the clear colour is left alone too
    EXPECT_EQ(clear[2], 1.0f);
}

// A window wider than the largest texture cannot have a complete ring: the ring is released,
// drawing goes to the window again and the motion-blur path is off.
TEST_F(WorldGLTest, IncompleteRingIsReleasedAndDisablesMotionBlur) {
    ASSERT_TRUE(InitWindow()) << m_log.Text();
    GLint maxTexture = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTexture);
    m_world->Window().SetSize(static_cast<uint32_t>(maxTexture) + 16, 8);
    const bool result = InitWindow();
    ASSERT_NE(SDL_GetVideoSurface(), nullptr) << m_log.Text();
    ASSERT_TRUE(m_log.Contains("FBO Initialised!")) << m_log.Text();
    EXPECT_FALSE(result);
    EXPECT_TRUE(m_log.Contains("Error in frame buffer.\n")) << m_log.Text();
    EXPECT_TRUE(m_log.Contains("InitGL completed.\n"));
    EXPECT_FALSE(m_world->Ring().IsSupported());
    EXPECT_EQ(m_world->Ring().FrameBuffer(), 0u);
    EXPECT_EQ(m_world->Ring().DepthBuffer(), 0u);
    for (uint32_t texture : m_world->Ring().Textures()) {
        EXPECT_EQ(texture, 0u);
    }
    GLint framebuffer = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &framebuffer);
    EXPECT_EQ(framebuffer, 0);
}

}  // namespace
