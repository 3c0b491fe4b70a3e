#pragma once
// The world part of a frame (background, actors, explosions: everything below the interface)
// kept in a window-sized texture while the game is paused. A paused world does not move, so
// every paused frame would draw the same picture again; the title, pause and game-over
// screens then cost a copy of that picture plus their interface.
//
// The picture is tied to a key the world gives: a count that changes with anything that can
// change what the world shows (an update that moves it, an SDL event, an event delivered to
// the listeners, a restart, a new video mode). A different key, or another window size,
// means the picture is drawn again; it is kept once a second paused frame shows the same key,
// so that a world paused for a single frame (the first frame after start-up, for one) costs
// no copy.

#include <cstdint>

class StillScene {
public:
    // Draws the kept picture over the window's rectangle (0, 0)-(width, height) of the
    // current projection, without blending: true when one was kept for this key and size,
    // false (nothing drawn) otherwise.
    bool Draw(uint64_t key, int width, int height) const;
    // Called after the world part was drawn in full into the back buffer for key: keeps the
    // back buffer's (0, 0)-(width, height) as the picture when the frame before was drawn for
    // the same key and size, else only notes the key.
    void Keep(uint64_t key, int width, int height);
    // Deletes the texture; needs the context it was made in.
    void Release();
    // Drops the texture's name without deleting it, for a context that is already gone.
    void Forget();

private:
    uint32_t m_texture = 0;
    int m_width = 0;
    int m_height = 0;
    // The texture's size: the viewport's when it was kept (the picture's, times the scale).
    int m_copyWidth = 0;
    int m_copyHeight = 0;
    uint64_t m_key = 0;
    bool m_kept = false;
    uint64_t m_seenKey = 0;  // the key of the last frame drawn in full
    int m_seenWidth = 0;
    int m_seenHeight = 0;
};
