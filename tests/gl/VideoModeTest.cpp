// A video mode opened again (as full screen is switched on systems that cannot switch in
// place): what lived in the old context is rebuilt, and a mode larger than the picture, as
// SDL picks on Windows, shows the picture centred with the mouse mapped onto it.
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "WorldGLSupport.h"
#include "game/ShooterCamera.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"
#include "gui/CGUI.h"
#include "support/DisplayConnection.h"

namespace {

class VideoModeTest : public WorldGLTest {
protected:
    // A level whose only actor covers the whole picture in red.
    void StartRedLevel() {
        m_world->Level().SetPlayer(std::make_unique<ShooterPlayer>());
        m_world->Level().SetCamera(std::make_unique<ShooterCamera>());
        m_world->Level().Camera()->m_size = Vector2(1024, 512);
        m_world->Level().SetExplosions(std::make_unique<ShooterExplosionManager>());
        m_world->Level().EnemyList().emplace_back(new RectEnemy(0, 0, 1024, 512, 1, 0, 0));
    }
    // The window's SDL rows count down from the top; ReadShown's rows up from the bottom.
    void MoveMouse(int x, int y) {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.x = static_cast<Uint16>(x);
        event.motion.y = static_cast<Uint16>(y);
        m_world->HandleSDLEvent(event);
    }
    // The window resized as a window manager does it.
    void Resize(int width, int height) {
        SDL_Event event{};
        event.type = SDL_VIDEORESIZE;
        event.resize.w = width;
        event.resize.h = height;
        m_world->HandleSDLEvent(event);
    }
};

TEST_F(VideoModeTest, ALargerModeCentresThePictureKeepsBlendedBlurAndMapsTheMouse) {
    setenv("GLIMMERAX_NO_ACCUM", "1", 1);
    const bool opened = InitWindow();
    unsetenv("GLIMMERAX_NO_ACCUM");
    ASSERT_TRUE(opened) << m_log.Text();
    ASSERT_TRUE(m_world->Ring().IsSupported());
    // SDL's nearest full-screen mode that holds 1024 x 512, without accumulation buffer.
    SDL_Surface* screen = SDL_SetVideoMode(1024, 768, 0, SDL_OPENGL);
    ASSERT_NE(screen, nullptr) << SDL_GetError();
    m_world->AdoptVideoMode(screen, 0);
    EXPECT_TRUE(m_world->Ring().IsSupported()) << "the ring is rebuilt without accumulation bits";
    EXPECT_TRUE(m_world->Ring().Blends());
    EXPECT_TRUE(m_log.Contains("Video mode 1024 x 768: the 1024 x 512 picture is centred in it.\n"))
        << m_log.Text();

    StartRedLevel();
    for (const bool blur : {false, true}) {
        m_world->Ring().SetOn(blur);
        m_world->Ring().Clear();
        // The new window's first swap may leave its back buffer undefined: the second frame
        // is read.
        m_world->Render();
        m_world->Render();
        const Rgba below = GLWindow::ReadPixel(500, 100);
        const Rgba inside = GLWindow::ReadPixel(500, 384);
        const Rgba above = GLWindow::ReadPixel(500, 700);
        EXPECT_EQ(below.r, 0) << "blur " << blur;
        EXPECT_EQ(above.r, 0) << "blur " << blur;
        EXPECT_NEAR(inside.r, 255, 3) << "blur " << blur;
        EXPECT_NEAR(inside.g, blur ? 145 : 0, 3) << "0.57 of the white ring, or none";
    }
    // The picture's top row is the window's row 128: a pointer there is at the picture's top.
    MoveMouse(300, 128 + 12);
    EXPECT_EQ(CGUI::GetInstance()->GetMousePosition().x, 300.0f);
    EXPECT_EQ(CGUI::GetInstance()->GetMousePosition().y, 500.0f);
    for (auto& enemy : m_world->Level().EnemyList()) {
        delete enemy.release();
    }
}

TEST_F(VideoModeTest, AResizedWindowScalesThePictureLetterboxedSmoothOrInWholeSteps) {
    // A 512 x 256 picture, so that twice its size fits on the virtual display.
    m_world->Window().SetSize(512, 256);
    ASSERT_TRUE(InitWindow()) << m_log.Text();
    m_world->Level().SetPlayer(std::make_unique<ShooterPlayer>());
    m_world->Level().SetCamera(std::make_unique<ShooterCamera>());
    m_world->Level().Camera()->m_size = Vector2(512, 256);
    m_world->Level().SetExplosions(std::make_unique<ShooterExplosionManager>());
    m_world->Level().EnemyList().emplace_back(new RectEnemy(0, 0, 512, 256, 1, 0, 0));
    m_world->Level().EnemyList().emplace_back(new RectEnemy(0, 0, 50, 50, 0, 1, 0));

    // 1024 x 768 holds the picture twice over: 1024 x 512, 128 rows above and below.
    Resize(1024, 768);
    EXPECT_EQ(m_world->Window().Scale(), 2.0f);
    for (const bool blur : {false, true}) {
        m_world->Ring().SetOn(blur);
        m_world->Ring().Clear();
        m_world->Render();
        m_world->Render();
        EXPECT_EQ(ReadShown(50, 60).r + ReadShown(50, 60).g, 0) << "blur " << blur;
        EXPECT_EQ(ReadShown(600, 700).r, 0) << "blur " << blur;
        EXPECT_GT(ReadShown(90, 218).g, 200) << "the green corner, twice as large " << blur;
        if (!blur) {
            EXPECT_EQ(ReadShown(110, 218).g, 0) << "the green corner ends at column 100";
        }
        EXPECT_GT(ReadShown(600, 400).r, 200) << "blur " << blur;
    }
    m_world->Ring().SetOn(false);
    // The pointer 13 window rows below the picture's top is 6 picture rows below it.
    MoveMouse(301, 128 + 13);
    EXPECT_EQ(CGUI::GetInstance()->GetMousePosition().x, 150.0f);
    EXPECT_EQ(CGUI::GetInstance()->GetMousePosition().y, 250.0f);

    // 1100 x 700: smoothly 2.15 times, sharply twice, centred with 38 columns either side.
    m_world->Window().SetScaling(PictureScaling::Sharp);
    Resize(1100, 700);
    EXPECT_EQ(m_world->Window().Scale(), 2.0f);
    m_world->Render();
    m_world->Render();
    EXPECT_EQ(ReadShown(30, 350).r, 0);
    EXPECT_GT(ReadShown(45, 350).r, 200);
    EXPECT_GT(ReadShown(1055, 350).r, 200);
    EXPECT_EQ(ReadShown(1070, 350).r, 0);
    m_world->Window().SetScaling(PictureScaling::Smooth);
    Resize(1100, 700);
    EXPECT_NEAR(m_world->Window().Scale(), 1100.0f / 512.0f, 1e-4);
    for (auto& enemy : m_world->Level().EnemyList()) {
        delete enemy.release();
    }
}

TEST_F(VideoModeTest, FullScreenTakesTheDesktopsResolutionAndScalesThePictureToIt) {
    int screenWidth = 0;
    int screenHeight = 0;
    ASSERT_TRUE(DisplayConnection::ScreenSize(screenWidth, screenHeight));
    // The window reads the desktop's size as SDL's video starts; an earlier test's window
    // would stand in for the desktop.
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    ASSERT_TRUE(InitWindow()) << m_log.Text();
    StartRedLevel();
    m_world->ToggleFullScreen();
    ASSERT_TRUE(m_world->Window().IsFullScreen()) << m_log.Text();
    // The display keeps its own mode; the picture is as large as fits it, centred.
    ASSERT_EQ(SDL_GetVideoSurface()->w, screenWidth);
    ASSERT_EQ(SDL_GetVideoSurface()->h, screenHeight);
    const float scale = std::min(screenWidth / 1024.0f, screenHeight / 512.0f);
    EXPECT_FLOAT_EQ(m_world->Window().Scale(), scale);
    const int pictureHeight = static_cast<int>(512 * scale + 0.5f);
    const int bottom = (screenHeight - pictureHeight) / 2;
    m_world->Render();
    m_world->Render();
    EXPECT_GT(ReadShown(screenWidth / 2, bottom + 2).r, 200);
    EXPECT_GT(ReadShown(screenWidth / 2, bottom + pictureHeight - 3).r, 200);
    if (bottom > 2) {
        EXPECT_EQ(ReadShown(screenWidth / 2, bottom - 2).r, 0) << "the letterbox below";
    }
    m_world->ToggleFullScreen();
    EXPECT_FALSE(m_world->Window().IsFullScreen());
    EXPECT_EQ(SDL_GetVideoSurface()->w, 1024) << "the window gets its size back";
    EXPECT_EQ(SDL_GetVideoSurface()->h, 512);
    for (auto& enemy : m_world->Level().EnemyList()) {
        delete enemy.release();
    }
}

}  // namespace
