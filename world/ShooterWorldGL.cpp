// Window and OpenGL set-up: the window, GLEW and the frame ring of the motion-blur mode, and
// full screen.
#include "world/ShooterWorld.h"

#include <cstdlib>

#include "core/Log.h"
#include "resources/CSpriteManager.h"
#include "resources/GLApi.h"
#include "world/BlurChooser.h"

namespace {

// When set, full screen is always switched by opening the video mode again (tests).
const char* const kReopenVideoModeVariable = "GLIMMERAX_TEST_REOPEN_VIDEO_MODE";

bool HasFramebufferEntryPoints() {
#if GLIMMERAX_WEBGL
    // WebGL 2 has them all.
    return true;
#else
    return glGenFramebuffersEXT && glBindFramebufferEXT && glGenRenderbuffersEXT &&
           glBindRenderbufferEXT && glRenderbufferStorageEXT && glFramebufferTexture2DEXT &&
           glFramebufferRenderbufferEXT && glCheckFramebufferStatusEXT && glDeleteFramebuffersEXT &&
           glDeleteRenderbuffersEXT;
#endif
}

// The ring chooses its slot as draw buffer on the desktop; in the browser each slot has a
// framebuffer of its own and no draw buffer is chosen.
bool CanDrawIntoSlots() { return GLIMMERAX_WEBGL || GLEW_ARB_draw_buffers; }

}  // namespace

bool ShooterWorld::InitGL() {
    if (!m_window.Open()) {
        return false;
    }
    // Without an accumulation buffer the motion blur composes the ring by blending.
    if (m_window.AccumulationBits() == 0) {
        m_ring.SetBlending(true);
    }
    m_window.SetFixedState();
    LogMessage("OpenGL Viewport and whatnot set.\n");

    const GLenum glewResult = glewInit();
    if (glewResult != GLEW_OK) {
        LogMessage("GLEW Error: %s\n",
                   reinterpret_cast<const char*>(glewGetErrorString(glewResult)));
    } else {
        LogMessage("GLEW initialised!\n");
    }
    bool ringBuilt = true;
    if (!CanDrawIntoSlots()) {
        LogMessage("GLEW says draw buffers aren't supported!\n");
    } else if (!HasFramebufferEntryPoints()) {
        LogMessage("Framebuffer objects aren't supported; motion blur is not available.\n");
    } else {
        ringBuilt = BuildFrameRing();
    }
    LogMessage("InitGL completed.\n");
    return ringBuilt;
}

bool ShooterWorld::BuildFrameRing() {
    if (!m_ring.Build(m_window.Width(), m_window.Height())) {
        return false;
    }
    const int accumBits = m_window.AccumulationBits();
    m_ring.SetUpBlending(accumBits, accumBits > 0 && VideoWindow::AccumulationIsSrgb());
    return true;
}

void ShooterWorld::AdoptVideoMode(const SDL_Surface* screen, int accumBits) {
    m_window.Adopt(screen, accumBits);
    // The mode open now has a fresh context: the old OpenGL names are gone with the old one
    // and must not be deleted in the new.
    m_ring.Forget();
    m_ring.NoteSceneChange();
    m_window.SetFixedState();
    glewInit();
    CSpriteManager::GetInstance()->ReuploadTextures();
    // As at start-up: without an accumulation buffer the ring is composed by blending.
    if (accumBits == 0) {
        m_ring.SetBlending(true);
    }
    if (CanDrawIntoSlots() && HasFramebufferEntryPoints()) {
        BuildFrameRing();
    }
}

void ShooterWorld::ToggleFullScreen() {
    if (!SDL_GetVideoSurface()) {
        return;
    }
    const bool wanted = !m_window.IsFullScreen();
    // In place the window keeps its size: only a window as large as the desktop shows the
    // picture at the desktop's resolution that way. The test hook takes the path of systems
    // that cannot switch in place.
    const bool inPlaceAllowed =
        m_window.WindowedFillsDesktop() && !std::getenv(kReopenVideoModeVariable);
    if (inPlaceAllowed && m_window.ToggleInPlace()) {
        return;
    }
    const bool opened = m_window.Reopen(wanted);
    AdoptVideoMode(SDL_GetVideoSurface(), m_window.AccumulationBits());
    if (!opened) {
        LogMessage("Full screen %s refused: %s\n", wanted ? "on" : "off", SDL_GetError());
    }
}

void ShooterWorld::ResizeWindow(int width, int height) {
    bool contextKept = false;
    if (width <= 0 || height <= 0 ||
        !m_window.Resize(static_cast<uint32_t>(width), static_cast<uint32_t>(height),
                         contextKept)) {
        LogMessage("The window cannot take the size %d x %d: %s\n", width, height,
                   SDL_GetError());
        return;
    }
    if (contextKept) {
        // Only the picture's place and scale changed.
        m_window.SetFixedState();
        m_ring.NoteSceneChange();
    } else {
        AdoptVideoMode(SDL_GetVideoSurface(), m_window.AccumulationBits());
    }
}

void ShooterWorld::MeasureBlurOnFirstUse() {
    if (m_blurMeasured || m_dataNamesBlur || m_settings.Current().blur != BlurMethod::Auto ||
        !m_ring.IsSupported() || !m_ring.Blender().IsBuilt() ||
        m_window.AccumulationBits() == 0) {
        return;
    }
    m_blurMeasured = true;
    const BlurChooser::Choice choice =
        BlurChooser::Measure(m_ring, m_window.PictureX() + m_window.PictureWidth() / 2,
                             m_window.PictureY() + m_window.PictureHeight() / 2);
    m_measuredBlend = choice.blend;
    m_ring.SetBlending(choice.blend);
    const auto describe = [](const BlurChooser::Trial& trial) {
        return trial.right ? "" : ", wrong picture";
    };
    LogMessage(
        "Motion blur: automatic choice is %s (accumulation buffer %.2f ms a frame%s, blending "
        "%.2f ms%s).\n",
        choice.blend ? "blending" : "the accumulation buffer", choice.accumulated.msPerFrame,
        describe(choice.accumulated), choice.blended.msPerFrame, describe(choice.blended));
}
