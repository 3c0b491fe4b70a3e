// The SDL window with its icon and caption, its video modes and the fixed drawing state.
#include "world/VideoWindow.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "core/Log.h"
#include "resources/GLApi.h"
#include "resources/LoadPngImage.h"

namespace {

const char* const WINDOW_CAPTION = "Glimmerax";
const char* const ICON_FILE = "icon.png";

void RequestAccumulationBits(int bits) {
    SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, bits);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, bits);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, bits);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, bits);
}

// Opens the video mode, asking for 32 accumulation bits per channel, then 16, then none,
// since not every driver offers 32. Returns the surface (null on failure) and the bits
// granted. GLIMMERAX_NO_ACCUM set in the environment asks for none and reports none whatever
// the driver grants: the tests use it to stand in for the drivers that offer no accumulation
// buffer. Extra flags (SDL_FULLSCREEN) are added to SDL_OPENGL; vsync asks the driver to wait
// for the display's refresh when swapping.
SDL_Surface* OpenVideoMode(uint32_t width, uint32_t height, int& accumBits, bool vsync,
                           Uint32 flags = 0) {
    static const int REQUESTS[] = {32, 16, 0};
    // The browser's canvas has no accumulation buffer, though its emulation reports the bits
    // asked for.
    const bool noAccum = GLIMMERAX_WEBGL || std::getenv("GLIMMERAX_NO_ACCUM") != nullptr;
    for (const int bits : REQUESTS) {
        if (noAccum && bits != 0) {
            continue;
        }
        RequestAccumulationBits(bits);
#if GLIMMERAX_WEBGL
        // The browser shows each frame at its own refresh, and has no swap control.
        static_cast<void>(vsync);
#else
        if (vsync) {
            SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
        }
#endif
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

}  // namespace

void VideoWindow::SetSize(uint32_t width, uint32_t height) {
    m_width = width;
    m_height = height;
}

void VideoWindow::SetPacing(bool vsync, uint32_t maxFps) {
    m_vsync = vsync;
    m_maxFps = maxFps;
}

bool VideoWindow::Open() {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        LogMessage("Unable to initialize SDL: %s\n", SDL_GetError());
        return false;
    }
    LogMessage("SDL Initialised!\n");
    // The desktop's size, read before the first mode is set (SDL then reports that mode's).
    const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
    if (desktop && desktop->current_w > 0 && desktop->current_h > 0) {
        m_desktopWidth = static_cast<uint32_t>(desktop->current_w);
        m_desktopHeight = static_cast<uint32_t>(desktop->current_h);
    }
    // The browser's page scales the canvas itself: there it has the picture's size.
    const float start = desktop && !GLIMMERAX_WEBGL
                            ? StartScale(desktop->current_w, desktop->current_h, m_width, m_height)
                            : 1.0f;
    m_windowedWidth = static_cast<uint32_t>(std::lround(static_cast<float>(m_width) * start));
    m_windowedHeight = static_cast<uint32_t>(std::lround(static_cast<float>(m_height) * start));
    SDL_Surface* screen = OpenVideoMode(m_windowedWidth, m_windowedHeight, m_accumBits, m_vsync,
                                        SDL_RESIZABLE);
    if (!screen) {
        LogMessage("Unable to create OpenGL screen: %s\n", SDL_GetError());
        SDL_Quit();
        return false;
    }
    LogMessage("SDL SetVideoMode worked correctly!\n");
#if GLIMMERAX_WEBGL
    // The loop yields to the browser after every pass and resumes on its next animation
    // frame: the browser paces the frames, whatever the settings ask.
    m_vsyncHonoured = true;
    LogMessage("Frames follow the browser's animation frames.\n");
#else
    int swapInterval = 0;
    m_vsyncHonoured = m_vsync && SDL_GL_GetAttribute(SDL_GL_SWAP_CONTROL, &swapInterval) == 0 &&
                      swapInterval == 1;
#endif
    if (m_vsyncHonoured) {
        LogMessage("Vertical sync honoured: frames follow the display's refresh.\n");
    }
    if (m_accumBits > 0) {
        LogMessage("Accumulation buffer: %d bits per channel.\n", m_accumBits);
    } else {
        LogMessage("Accumulation buffer: none; motion blur blends the frame ring instead.\n");
    }
    // A size of 0 lets SDL choose; the frame then uses the window SDL made.
    m_windowWidth = m_windowedWidth = static_cast<uint32_t>(screen->w);
    m_windowHeight = m_windowedHeight = static_cast<uint32_t>(screen->h);
    if (m_width == 0 || m_height == 0) {
        m_width = m_windowWidth;
        m_height = m_windowHeight;
    }
    FitPicture();
    if (start > 1.0f) {
        LogMessage("Window %u x %u on a large desktop: the picture is scaled by %.2f.\n",
                   m_windowWidth, m_windowHeight, static_cast<double>(m_scale));
    }
    SetWindowIcon();
    SDL_WM_SetCaption(WINDOW_CAPTION, nullptr);
    return true;
}

void VideoWindow::SetFixedState() const {
    glViewport(PictureX(), PictureY(), PictureWidth(), PictureHeight());
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GREATER, 0.1f);
    glEnable(GL_ALPHA_TEST);
#if !GLIMMERAX_WEBGL
    glClearAccum(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_ACCUM_BUFFER_BIT);
#endif
    // One unit per pixel, origin at the lower left, y up.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, m_width, 0, m_height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

bool VideoWindow::AccumulationIsSrgb() {
#if GLIMMERAX_WEBGL
    // Never asked in the browser, which has no accumulation buffer.
    return false;
#else
    // Saved by hand: the clear colour and scissor test are put back below.
    GLfloat clearColour[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    GLint scissorBox[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_SCISSOR_BOX, scissorBox);
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
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    glScissor(scissorBox[0], scissorBox[1], scissorBox[2], scissorBox[3]);
    if (!scissor) {
        glDisable(GL_SCISSOR_TEST);
    }
    return pixel[0] > 160;
#endif
}

bool VideoWindow::ToggleInPlace() {
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (!screen || SDL_WM_ToggleFullScreen(screen) == 0) {
        return false;
    }
    m_fullScreen = !m_fullScreen;
    return true;
}

bool VideoWindow::WindowedFillsDesktop() const {
    return m_desktopWidth != 0 && m_windowedWidth == m_desktopWidth &&
           m_windowedHeight == m_desktopHeight;
}

bool VideoWindow::Reopen(bool fullScreen) {
    int accumBits = 0;
    // Full screen asks for the desktop's size, the mode the display already has; a window
    // gets back the size it had.
    const bool desktopKnown = m_desktopWidth != 0 && m_desktopHeight != 0;
    const uint32_t fullWidth = desktopKnown ? m_desktopWidth : m_width;
    const uint32_t fullHeight = desktopKnown ? m_desktopHeight : m_height;
    const auto open = [&](bool full) {
        return full ? OpenVideoMode(fullWidth, fullHeight, accumBits, m_vsync, SDL_FULLSCREEN)
                    : OpenVideoMode(m_windowedWidth, m_windowedHeight, accumBits, m_vsync,
                                    SDL_RESIZABLE);
    };
    SDL_Surface* screen = open(fullScreen);
    const bool opened = screen != nullptr;
    if (!screen) {
        screen = open(!fullScreen);
    }
    if (opened) {
        m_fullScreen = fullScreen;
    }
    m_accumBits = accumBits;
    return opened;
}

void VideoWindow::Adopt(const SDL_Surface* screen, int accumBits) {
    m_accumBits = accumBits;
    // A full-screen mode is larger than the picture (the desktop's, or the nearest mode that
    // holds it, 1024 x 768 for 1024 x 512): the picture is scaled to fit and centred, and the
    // rest stays black.
    m_windowWidth = screen ? static_cast<uint32_t>(screen->w) : m_width;
    m_windowHeight = screen ? static_cast<uint32_t>(screen->h) : m_height;
    FitPicture();
    if (m_windowWidth == m_width && m_windowHeight == m_height) {
        return;
    }
    if (m_scale == 1.0f) {
        LogMessage("Video mode %u x %u: the %u x %u picture is centred in it.\n", m_windowWidth,
                   m_windowHeight, m_width, m_height);
    } else {
        LogMessage("Video mode %u x %u: the %u x %u picture is scaled by %.2f.\n",
                   m_windowWidth, m_windowHeight, m_width, m_height,
                   static_cast<double>(m_scale));
    }
}

bool VideoWindow::Resize(uint32_t width, uint32_t height, bool& contextKept) {
    // A texture name made just before tells afterwards whether the context is the same one.
    GLuint marker = 0;
    glGenTextures(1, &marker);
    glBindTexture(GL_TEXTURE_2D, marker);
    glBindTexture(GL_TEXTURE_2D, 0);
    int accumBits = 0;
    SDL_Surface* screen = OpenVideoMode(std::max(width, 1u), std::max(height, 1u), accumBits,
                                        m_vsync, SDL_RESIZABLE);
    contextKept = glIsTexture(marker) == GL_TRUE;
    if (contextKept) {
        glDeleteTextures(1, &marker);
    }
    if (!screen) {
        return false;
    }
    m_fullScreen = false;
    m_windowedWidth = static_cast<uint32_t>(screen->w);
    m_windowedHeight = static_cast<uint32_t>(screen->h);
    // Where the context lived on, so did its accumulation buffer.
    Adopt(screen, contextKept ? m_accumBits : accumBits);
    return true;
}

float VideoWindow::StartScale(int desktopWidth, int desktopHeight, uint32_t width,
                              uint32_t height) {
    if (desktopWidth < 1920 || desktopHeight < 1080 || width == 0 || height == 0) {
        return 1.0f;
    }
    const float fits = std::min(0.9f * static_cast<float>(desktopWidth) / static_cast<float>(width),
                                0.9f * static_cast<float>(desktopHeight) / static_cast<float>(height));
    return std::max(1.0f, std::min(2.0f, fits));
}

void VideoWindow::FitPicture() {
    if (m_width == 0 || m_height == 0) {
        m_scale = 1.0f;
        return;
    }
    const float fits = std::min(static_cast<float>(m_windowWidth) / static_cast<float>(m_width),
                                static_cast<float>(m_windowHeight) / static_cast<float>(m_height));
    // Sharp pixels need whole steps; a window smaller than the picture still shows all of it.
    m_scale = m_scaling == PictureScaling::Sharp && fits >= 1.0f ? std::floor(fits) : fits;
    // A window of the picture's size or up to one pixel off it keeps the picture unscaled.
    if (std::fabs(m_scale - 1.0f) * static_cast<float>(std::max(m_width, m_height)) < 1.0f) {
        m_scale = 1.0f;
    }
}

int VideoWindow::PictureWidth() const {
    return static_cast<int>(std::lround(static_cast<float>(m_width) * m_scale));
}

int VideoWindow::PictureHeight() const {
    return static_cast<int>(std::lround(static_cast<float>(m_height) * m_scale));
}

int VideoWindow::PictureX() const {
    const int spare = static_cast<int>(m_windowWidth) - PictureWidth();
    return spare > 0 ? spare / 2 : 0;
}

int VideoWindow::PictureY() const {
    const int spare = static_cast<int>(m_windowHeight) - PictureHeight();
    return spare > 0 ? spare / 2 : 0;
}

int VideoWindow::PictureTop() const {
    const int spare = static_cast<int>(m_windowHeight) - PictureHeight();
    return spare > 0 ? spare - PictureY() : 0;
}
