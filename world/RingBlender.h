#pragma once
// The motion-blur composition that needs no accumulation buffer: one window-sized pass of a
// small fragment program that reads the four ring slots and writes their weighted sum, with
// the weights of the accumulation path and the same treatment of each slot (the slot as drawn
// onto black by the fixed state: colour times alpha, rounded to 8 bits, black where the alpha
// test drops it).
//
// Some drivers (Mesa among them) read and write the window as sRGB-encoded values in their
// accumulation operations, so that the accumulated sum is taken in linear light; the program
// does the same when told so, and the two compositions then agree to a level or two.

#include <cstdint>

class RingBlender {
public:
    // Compiles and links the program; false when the driver has no OpenGL 2.0 shaders or
    // refuses this one. srgbSum: decode the slots before summing and encode the sum.
    bool Build(bool srgbSum);
    bool IsBuilt() const { return m_program != 0; }
    // Writes the composition of the ring into the current draw buffer over the rectangle
    // (0, 0)-(width, height) of the current projection. slot is the current slot; the weights
    // go to slot, slot + 1 (three ticks old), + 2 and + 3 (the previous tick), modulo 4.
    void Compose(const uint32_t textures[4], uint32_t slot, int width, int height) const;
    // Deletes the program; needs the context it was built in.
    void Release();

private:
    uint32_t m_program = 0;
    int m_weightsAt = -1;
};
