#pragma once
// The motion-blur composition that needs no accumulation buffer: the weighted sum of the four
// ring slots, with the weights of the accumulation path and the same treatment of each slot
// (the slot as drawn onto black by the fixed state: colour times alpha, rounded to 8 bits,
// black where the alpha test drops it).
//
// The three older slots change only when the ring advances, once per update tick, while
// frames may be drawn more often. When a tick has several frames (this one or the last one
// had at least two), their weighted sum is kept in a texture of its own, encoded as the
// window is, made once for the current slot; each further frame then reads the current slot
// and that sum only. Where frames are no more frequent than ticks, making the sum would cost
// more than it saves, and each frame reads all four slots in one pass.
//
// Some drivers (Mesa among them) read and write the window as sRGB-encoded values in their
// accumulation operations, so that the accumulated sum is taken in linear light; the programs
// do the same when told so, and the two compositions then agree to a level or two.

#include <cstdint>

class RingBlender {
public:
    // Making the sum costs a little less than composing a frame in one pass, and each frame
    // that reads it costs less than half of one: keeping it pays from the second frame of a
    // tick.
    static const int DEFAULT_KEEP_AFTER_FRAMES = 2;

    // Compiles and links the programs and makes the sum texture of width x height pixels;
    // false (nothing kept) when the driver has no OpenGL 2.0 shaders or refuses a program.
    // Where it cannot draw into the sum texture no sum is kept and every frame composes in
    // one pass. srgbSum: decode the slots before summing and encode the sum. Needs
    // framebuffer objects.
    bool Build(bool srgbSum, int width, int height);
    bool IsBuilt() const { return m_wholeProgram != 0; }
    // Writes the composition of the ring into the current draw buffer of the window over the
    // rectangle (0, 0)-(width, height) of the current projection, the ring's size. slot is the
    // current slot; the weights go to slot, slot + 1 (three ticks old), + 2 and + 3 (the
    // previous tick), modulo 4. The older slots must not have been written since the sum was
    // made for this slot, other than through Invalidate.
    void Compose(const uint32_t textures[4], uint32_t slot, int width, int height);
    // The ring's slots were written other than as the current slot (cleared, for one): the
    // next Compose makes the sum again.
    void Invalidate() { m_sumSlot = -1; }
    // Frames of one tick (this one or the one before) from which the sum is kept: 1 keeps it
    // always, a number no tick reaches never.
    void SetKeepAfterFrames(int frames) { m_keepAfterFrames = frames; }
    // Deletes the programs and the sum; needs the context they were made in.
    void Release();
    // Drops the names without deleting them, for a context that is already gone.
    void Forget();

private:
    // Writes the weighted sum of the slots slot + 1 to slot + 3 into the sum texture.
    void MakeSum(const uint32_t textures[4], uint32_t slot, int width, int height);
    bool BuildSum(int width, int height);
    void ReleaseSum();

    uint32_t m_frameProgram = 0;
    uint32_t m_sumProgram = 0;
    uint32_t m_wholeProgram = 0;  // all four slots in one pass, while no sum is kept
    uint32_t m_sumTexture = 0;
    uint32_t m_sumBuffer = 0;
    int m_sumSlot = -1;      // the current slot the sum was made for; -1 when none
    int m_countedSlot = -1;  // the slot m_framesOfSlot counts the frames of
    int m_framesOfSlot = 0;
    int m_previousFrames = 0;  // frames composed at the slot before
    int m_keepAfterFrames = DEFAULT_KEEP_AFTER_FRAMES;
};
