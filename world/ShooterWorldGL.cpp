// Window and OpenGL set-up: the SDL window with its icon and caption, the fixed drawing state
// every draw relies on, GLEW and the frame ring of the motion-blur mode.
#include "world/ShooterWorld.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <cstdlib>
#include <vector>

#include "core/Log.h"
#include "resources/CSpriteManager.h"
#include "resources/LoadPngImage.h"

namespace {

// When set, full screen is always switched by opening the video mode again (tests).
const char* const kReopenVideoModeVariable = "GLIMMERAX_TEST_REOPEN_VIDEO_MODE";
const char* const WINDOW_CAPTION = "Glimmerax";
const char* const ICON_FILE = "icon.png";

void RequestAccumulationBits(int bits) {
    SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, bits);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, bits);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, bits);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, bits);
}

// Opens the window, asking for 32 accumulation bits per channel, then 16, then none, since
// not every driver offers 32. Returns the surface (null on failure) and the bits granted.
// GLIMMERAX_NO_ACCUM set in the environment asks for none and reports none whatever the
// driver grants: the tests use it to stand in for the drivers that offer no accumulation
// buffer. Extra flags (SDL_FULLSCREEN) are added to SDL_OPENGL; vsync asks the driver to wait for
// the display's refresh when swapping.
SDL_Surface* OpenVideoMode(uint32_t width, uint32_t height, int& accumBits, bool vsync,
                           Uint32 flags = 0) {
    static const int REQUESTS[] = {32, 16, 0};
    const bool noAccum = std::getenv("GLIMMERAX_NO_ACCUM") != nullptr;
    for (const int bits : REQUESTS) {
        if (noAccum && bits != 0) {
            continue;
        }
        RequestAccumulationBits(bits);
        if (vsync) {
            SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
        }
        SDL_Surface* screen = SDL_SetVideoMode(static_cast<int>(width), static_cast<int>(height), 0,
                                               SDL_OPENGL | flags);
        if (screen) {
            accumBits = 0;
            SDL_GL_GetAttribute(SDL_GL_ACCUM_RED_SIZE, &accumBits);
            accumBits = noAccum ? 0 : accumBits;
            return screen;
        }
    }
    return nullptr;
}

// The icon is optional: without a decodable icon.png the window keeps the system's icon.
void SetWindowIcon() {
    std::vector<unsigned char> pixels;
    int width = 0;
    int height = 0;
    LoadPngImage(ICON_FILE, pixels, width, height);
    if (width <= 0 || height <= 0 ||
        pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 4) {
        LogMessage("Window icon %s is missing or not a usable PNG; no icon is set.\n", ICON_FILE);
        return;
    }
    // The surface borrows the pixels. SDL copies them into the window system's own icon while
    // it sets it, so neither the surface nor the pixels are needed once the call returns.
    SDL_Surface* icon = SDL_CreateRGBSurfaceFrom(pixels.data(), width, height, 32, width * 4,
                                                 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
    if (icon) {
        SDL_WM_SetIcon(icon, nullptr);
        SDL_FreeSurface(icon);
    }
}

// The picture of width x height pixels is drawn with its lower-left corner at (x, y) of the
// window: the origin, except in a video mode larger than the picture.
void SetFixedState(uint32_t width, uint32_t height, int x = 0, int y = 0) {
    glViewport(x, y, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GREATER, 0.1f);
    glEnable(GL_ALPHA_TEST);
    glClearAccum(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_ACCUM_BUFFER_BIT);
    // One unit per pixel, origin at the lower left, y up.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, width, 0, height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// The ring textures are drawn at their own size, one texel per pixel; the blending
// composition samples them unfiltered, which reads the same texels at less cost.
void CreateRingTexture(GLuint& texture, uint32_t width, uint32_t height, int slot, GLint filter) {
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(width),
                 static_cast<GLsizei>(height), 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT + slot, GL_TEXTURE_2D,
                              texture, 0);
}

bool HasFramebufferEntryPoints() {
    return glGenFramebuffersEXT && glBindFramebufferEXT && glGenRenderbuffersEXT &&
           glBindRenderbufferEXT && glRenderbufferStorageEXT && glFramebufferTexture2DEXT &&
           glFramebufferRenderbufferEXT && glCheckFramebufferStatusEXT && glDeleteFramebuffersEXT &&
           glDeleteRenderbuffersEXT;
}

// Deletes whatever part of the frame ring exists, draws into the window again and marks the
// motion-blur path unusable.
void ReleaseFrameRing(ShooterWorld& world) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    for (uint32_t& texture : world.m_frameTextures) {
        if (texture != 0) {
            const GLuint name = texture;
            glDeleteTextures(1, &name);
            texture = 0;
        }
    }
    if (world.m_depthBuffer != 0) {
        const GLuint name = world.m_depthBuffer;
        glDeleteRenderbuffersEXT(1, &name);
        world.m_depthBuffer = 0;
    }
    if (world.m_frameBuffer != 0) {
        const GLuint name = world.m_frameBuffer;
        glDeleteFramebuffersEXT(1, &name);
        world.m_frameBuffer = 0;
    }
    world.m_blurSupported = false;
}

// Builds the framebuffer with four colour textures and a depth renderbuffer, all of the
// window's size; false (with the ring released) when the framebuffer is incomplete.
bool BuildFrameRing(ShooterWorld& world) {
    world.m_blurSupported = true;
    GLuint name = 0;
    glGenFramebuffersEXT(1, &name);
    world.m_frameBuffer = name;
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, name);
    LogMessage("FBO Initialised!\n");

    glGenRenderbuffersEXT(1, &name);
    world.m_depthBuffer = name;
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, name);
    glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT,
                             static_cast<GLsizei>(world.m_width),
                             static_cast<GLsizei>(world.m_height));
    LogMessage("Renderbuffer initialised!\n");

    for (int slot = 0; slot < 4; ++slot) {
        GLuint texture = 0;
        CreateRingTexture(texture, world.m_width, world.m_height, slot,
                          world.m_blendBlur ? GL_NEAREST : GL_LINEAR);
        world.m_frameTextures[slot] = texture;
    }
    LogMessage("Framebuffers created!\n");

    glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                                 world.m_depthBuffer);
    LogMessage("Renderbuffer created!\n");

    if (glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) != GL_FRAMEBUFFER_COMPLETE_EXT) {
        LogMessage("Error in frame buffer.\n");
        ReleaseFrameRing(world);
        return false;
    }
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    world.ClearFrameTextures();
    return true;
}

// True when the driver's accumulation operations read and write the window as sRGB-encoded
// values (a full pixel loaded with 0.5 comes back near 188 instead of 128). Probed on the
// lower-left pixel of the back buffer, which the first frame clears again.
bool AccumulationIsSrgb() {
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 1, 1);
    glDrawBuffer(GL_BACK);
    glReadBuffer(GL_BACK);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glAccum(GL_LOAD, 0.5f);
    glAccum(GL_RETURN, 1.0f);
    unsigned char pixel[4] = {0, 0, 0, 0};
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    glPopAttrib();
    return pixel[0] > 160;
}

// Builds the ring blender; without it the motion blur falls back to the accumulation buffer
// when there is one and is not available otherwise (the ring is released).
void SetUpBlending(ShooterWorld& world, int accumBits) {
    if (world.m_ringBlender.Build(accumBits > 0 && AccumulationIsSrgb(),
                                  static_cast<int>(world.m_width),
                                  static_cast<int>(world.m_height)) ||
        !world.m_blendBlur) {
        return;
    }
    world.m_blendBlur = false;
    if (accumBits > 0) {
        LogMessage(
            "Motion blur by blending needs OpenGL 2.0 shaders; the accumulation buffer is "
            "used.\n");
    } else {
        LogMessage(
            "Motion blur by blending needs OpenGL 2.0 shaders; motion blur is not "
            "available.\n");
        ReleaseFrameRing(world);
    }
}

// Opens the window; false (logged, SDL shut down when the window failed) without one. Without
// an accumulation buffer the motion blur composes the ring by blending.
bool OpenWindow(ShooterWorld& world, int& accumBits) {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        LogMessage("Unable to initialize SDL: %s\n", SDL_GetError());
        return false;
    }
    LogMessage("SDL Initialised!\n");
    SDL_Surface* screen = OpenVideoMode(world.m_width, world.m_height, accumBits, world.m_vsync);
    if (!screen) {
        LogMessage("Unable to create OpenGL screen: %s\n", SDL_GetError());
        SDL_Quit();
        return false;
    }
    LogMessage("SDL SetVideoMode worked correctly!\n");
    if (accumBits > 0) {
        LogMessage("Accumulation buffer: %d bits per channel.\n", accumBits);
    } else {
        LogMessage("Accumulation buffer: none; motion blur blends the frame ring instead.\n");
        world.m_blendBlur = true;
    }
    // A size of 0 lets SDL choose; the frame then uses the window SDL made.
    world.m_width = static_cast<uint32_t>(screen->w);
    world.m_height = static_cast<uint32_t>(screen->h);
    world.m_windowWidth = world.m_width;
    world.m_windowHeight = world.m_height;
    return true;
}

}  // namespace

bool ShooterWorld::InitGL() {
    m_blurSupported = false;
    int accumBits = 0;
    if (!OpenWindow(*this, accumBits)) {
        return false;
    }
    SetWindowIcon();
    SDL_WM_SetCaption(WINDOW_CAPTION, nullptr);
    SetFixedState(m_width, m_height);
    LogMessage("OpenGL Viewport and whatnot set.\n");

    const GLenum glewResult = glewInit();
    if (glewResult != GLEW_OK) {
        LogMessage("GLEW Error: %s\n",
                   reinterpret_cast<const char*>(glewGetErrorString(glewResult)));
    } else {
        LogMessage("GLEW initialised!\n");
    }
    bool ringBuilt = true;
    if (!GLEW_ARB_draw_buffers) {
        LogMessage("GLEW says draw buffers aren't supported!\n");
    } else if (!HasFramebufferEntryPoints()) {
        LogMessage("Framebuffer objects aren't supported; motion blur is not available.\n");
    } else if (BuildFrameRing(*this)) {
        SetUpBlending(*this, accumBits);
    } else {
        ringBuilt = false;
    }
    LogMessage("InitGL completed.\n");
    return ringBuilt;
}

void ShooterWorld::ClearFrameTextures() {
    if (!m_blurSupported) {
        return;
    }
    m_ringBlender.Invalidate();
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    for (int slot = 0; slot < 4; ++slot) {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, m_frameBuffer);
        glPushAttrib(GL_VIEWPORT_BIT);
        glViewport(0, 0, static_cast<GLsizei>(m_width), static_cast<GLsizei>(m_height));
        glDrawBuffer(GL_COLOR_ATTACHMENT0_EXT + slot);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glPopAttrib();
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    }
}

namespace {

// Opens the video mode again with or without SDL_FULLSCREEN and rebuilds what lived in the
// old OpenGL context. False when the mode cannot be opened (the old one is then restored).
bool ReopenVideoMode(ShooterWorld& world, bool fullScreen) {
    int accumBits = 0;
    SDL_Surface* screen = OpenVideoMode(world.m_width, world.m_height, accumBits, world.m_vsync,
                                        fullScreen ? SDL_FULLSCREEN : 0);
    const bool opened = screen != nullptr;
    if (!screen) {
        screen = OpenVideoMode(world.m_width, world.m_height, accumBits, world.m_vsync,
                               fullScreen ? 0 : SDL_FULLSCREEN);
    }
    world.AdoptVideoMode(screen, accumBits);
    return opened;
}

}  // namespace

void ShooterWorld::AdoptVideoMode(const SDL_Surface* screen, int accumBits) {
    // A full-screen mode may be larger than the picture (SDL takes the nearest mode that
    // holds it, 1024 x 768 for 1024 x 512): the picture is centred and the rest stays black.
    m_windowWidth = screen ? static_cast<uint32_t>(screen->w) : m_width;
    m_windowHeight = screen ? static_cast<uint32_t>(screen->h) : m_height;
    if (m_windowWidth != m_width || m_windowHeight != m_height) {
        LogMessage("Video mode %u x %u: the %u x %u picture is centred in it.\n", m_windowWidth,
                   m_windowHeight, m_width, m_height);
    }
    ShooterWorld& world = *this;
    // Whichever mode is open now has a fresh context: the old OpenGL names are gone with the
    // old one and must not be deleted in the new.
    world.m_frameBuffer = 0;
    world.m_depthBuffer = 0;
    for (uint32_t& texture : world.m_frameTextures) {
        texture = 0;
    }
    world.m_ringBlender.Forget();
    world.m_stillScene.Forget();
    ++world.m_sceneChanges;
    world.m_blurSupported = false;
    SetFixedState(m_width, m_height, PictureX(), PictureY());
    glewInit();
    CSpriteManager::GetInstance()->ReuploadTextures();
    // As at start-up: without an accumulation buffer the ring is composed by blending.
    if (accumBits == 0) {
        m_blendBlur = true;
    }
    if (GLEW_ARB_draw_buffers && HasFramebufferEntryPoints() && BuildFrameRing(world)) {
        SetUpBlending(world, accumBits);
    }
}

int ShooterWorld::PictureX() const {
    return m_windowWidth > m_width ? static_cast<int>(m_windowWidth - m_width) / 2 : 0;
}

int ShooterWorld::PictureY() const {
    return m_windowHeight > m_height ? static_cast<int>(m_windowHeight - m_height) / 2 : 0;
}

int ShooterWorld::PictureTop() const {
    return m_windowHeight > m_height
               ? static_cast<int>(m_windowHeight - m_height) - PictureY()
               : 0;
}

void ShooterWorld::ToggleFullScreen() {
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (!screen) {
        return;
    }
    const bool wanted = !m_fullScreen;
    // The test hook takes the path of systems that cannot switch in place.
    const bool inPlaceAllowed = !std::getenv(kReopenVideoModeVariable);
    if (inPlaceAllowed && SDL_WM_ToggleFullScreen(screen) != 0) {
        m_fullScreen = wanted;
        return;
    }
    if (ReopenVideoMode(*this, wanted)) {
        m_fullScreen = wanted;
        return;
    }
    LogMessage("Full screen %s refused: %s\n", wanted ? "on" : "off", SDL_GetError());
}
