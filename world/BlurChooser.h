#pragma once
// The automatic motion-blur setting's choice between the two compositions of the frame ring.
// Both are tried on the ring as built: each must compose a known ring right, and of those
// that do the faster one is kept. The trial draws into the ring's slots and the window's back
// buffer; the ring is cleared afterwards, as a blur switched on starts from.

#include <cstdint>

class FrameRing;

class BlurChooser {
public:
    struct Trial {
        bool right = false;       // both known rings came out as the weights give them
        double msPerFrame = 0.0;  // mean time of one composition, finished by the driver
    };
    struct Choice {
        bool blend = false;  // compose by blending; otherwise the accumulation buffer
        Trial accumulated;
        Trial blended;
    };

    // Compositions timed per trial. Two frames per slot, as a 60-frame display shows the
    // 30 update ticks of a second.
    static const int kFrames = 4;

    // Tries both compositions of ring, which must be built with its blender and a window with
    // an accumulation buffer. (pixelX, pixelY) is a window pixel inside the picture, from the
    // lower left, where the composed colour is read. Blending is chosen when it is right and
    // faster, or right while the accumulation buffer is not; otherwise the accumulation
    // buffer.
    static Choice Measure(FrameRing& ring, int pixelX, int pixelY);

private:
    static Trial Try(FrameRing& ring, bool blend, int pixelX, int pixelY);
    static bool ComposesRight(FrameRing& ring, bool blend, int pixelX, int pixelY);
};
