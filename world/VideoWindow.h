#pragma once
// The game's window: the picture's size (config.xml's width and height), the video mode that
// shows it, full screen, vertical sync and the frame cap, and the fixed OpenGL state every draw
// relies on. What else lives in the OpenGL context (textures, the frame ring) is rebuilt by
// the world when the mode is opened again.

#include <SDL/SDL.h>

#include <cstdint>

#include "world/Settings.h"

class VideoWindow {
public:
    // The picture's size in pixels: what the game draws, whatever the window's size.
    uint32_t Width() const { return m_width; }
    uint32_t Height() const { return m_height; }
    void SetSize(uint32_t width, uint32_t height);
    bool VSync() const { return m_vsync; }
    uint32_t MaxFps() const { return m_maxFps; }  // 0: no cap
    // The frame cap the loop keeps: none when vertical sync was asked for and the driver
    // honours it (the swap then waits for the display's refresh), else MaxFps.
    uint32_t PacedFps() const { return m_vsyncHonoured ? 0 : m_maxFps; }
    void SetPacing(bool vsync, uint32_t maxFps);
    bool IsFullScreen() const { return m_fullScreen; }
    // How the picture fills a window of another size (letterboxed either way). Takes effect
    // at the next Open, Adopt or Resize.
    void SetScaling(PictureScaling scaling) { m_scaling = scaling; }
    // The window's size at start, in picture sizes: 1, or on a desktop of 1920 x 1080 or more
    // up to 2, as much as fits in nine tenths of the desktop (room for the window's frame).
    static float StartScale(int desktopWidth, int desktopHeight, uint32_t width,
                            uint32_t height);

    // Starts SDL's video and opens the window (resizable, at StartScale of the desktop), asking for 32 accumulation bits per channel,
    // then 16, then none; false (logged, SDL shut down) without a window. A size of 0 lets
    // SDL choose and the picture takes the window's size. Sets the icon and the caption.
    bool Open();
    // Accumulation bits per channel of the mode open now (0: none, or GLIMMERAX_NO_ACCUM set).
    int AccumulationBits() const { return m_accumBits; }
    // Sets the fixed drawing state: viewport on the picture, texturing, blending, alpha test,
    // one unit per pixel with the origin at the picture's lower left.
    void SetFixedState() const;
    // True when the driver's accumulation operations read and write the window as sRGB-encoded
    // values. Probed on the lower-left pixel of the back buffer, which the next frame clears.
    static bool AccumulationIsSrgb();
    // Full screen and back in place, where the system can; false where it cannot. In place
    // the window keeps its size, so the world uses it only when WindowedFillsDesktop.
    bool ToggleInPlace();
    // The window's windowed size is the desktop's: full screen in place shows the picture at
    // the desktop's resolution, as Reopen does.
    bool WindowedFillsDesktop() const;
    // Opens the video mode again, full screen or not. Full screen takes the desktop's own
    // resolution (read when the window was opened), so the display never switches modes and
    // the picture is scaled to it; where the desktop's size is unknown, SDL takes the nearest
    // mode that holds the picture. When the wanted mode cannot be opened the
    // other is opened again. False when the wanted mode was refused. Everything that lived in
    // the old OpenGL context is gone afterwards; Adopt takes the new mode's size.
    bool Reopen(bool fullScreen);
    // Takes the size of the mode open now (screen may be null: the picture's size). A mode
    // larger than the picture gets the picture centred, which is logged.
    void Adopt(const SDL_Surface* screen, int accumBits);
    // The player resized the window: the mode is set again at that size, windowed. contextKept
    // tells whether the OpenGL context lived through it (X11 keeps it; where it does not, the
    // world rebuilds what lived in it, as after Reopen). False when no mode could be set.
    bool Resize(uint32_t width, uint32_t height, bool& contextKept);

    // Where the picture lies in the window, in window pixels: its left column, its bottom row
    // (OpenGL's y, up from the bottom), its top row (SDL's y, down from the top) and its size.
    int PictureX() const;
    int PictureY() const;
    int PictureTop() const;
    int PictureWidth() const;
    int PictureHeight() const;
    // Window pixels per picture pixel: the largest that fits the window, a whole number when
    // scaling is sharp (unless the window is smaller than the picture).
    float Scale() const { return m_scale; }

private:
    void FitPicture();

    uint32_t m_width = 0;
    uint32_t m_height = 0;
    uint32_t m_windowWidth = 0;
    uint32_t m_windowHeight = 0;
    // The windowed size to go back to from full screen.
    uint32_t m_windowedWidth = 0;
    uint32_t m_windowedHeight = 0;
    // The desktop's resolution before the game set a mode; 0 when SDL could not tell.
    uint32_t m_desktopWidth = 0;
    uint32_t m_desktopHeight = 0;
    float m_scale = 1.0f;
    PictureScaling m_scaling = PictureScaling::Smooth;
    int m_accumBits = 0;
    bool m_fullScreen = false;
    bool m_vsync = false;   // config.xml vsync="yes"
    uint32_t m_maxFps = 0;  // config.xml maxfps; 0 = no cap
    bool m_vsyncHonoured = false;  // the driver reports the swap interval asked for
};
