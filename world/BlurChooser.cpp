#include "world/BlurChooser.h"

#include <chrono>
#include <cstdlib>

#include "resources/GLApi.h"
#include "world/FrameRing.h"

namespace {

// Fills every slot of the ring with an opaque grey of that level (0 to 1): slot current gets
// currentLevel, the three older ones olderLevel.
void FillSlots(FrameRing& ring, float currentLevel, float olderLevel) {
    const uint32_t current = ring.Slot();
    for (uint32_t i = 0; i < 4; ++i) {
        ring.SetSlot((current + i) % 4);
        const float level = i == 0 ? currentLevel : olderLevel;
        ring.BeginSlot();
        glClearColor(level, level, level, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        ring.EndSlot();
    }
    ring.SetSlot(current);
    ring.Blender().Invalidate();
}

int ReadRed(int x, int y) {
    unsigned char pixel[4] = {0, 0, 0, 0};
    ReadFromBackBuffer();
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return pixel[0];
}

// The back buffer is cleared first, so a composition that draws nothing reads as black.
void Compose(FrameRing& ring, bool blend) {
    DrawIntoBackBuffer();
    glClear(GL_COLOR_BUFFER_BIT);
    if (blend) {
        ring.ComposeBlended();
    } else {
        ring.ComposeAccumulated();
    }
}

}  // namespace

// A ring of one grey comes out as that grey whatever the weights' light space, since they sum
// to one; a ring whose current frame alone is white comes out as a mix, neither the current
// frame alone nor none of it. A composition with too few bits, or one that drops frames,
// fails one or the other.
bool BlurChooser::ComposesRight(FrameRing& ring, bool blend, int pixelX, int pixelY) {
    FillSlots(ring, 0.5f, 0.5f);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    Compose(ring, blend);
    const int grey = ReadRed(pixelX, pixelY);
    FillSlots(ring, 1.0f, 0.0f);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    Compose(ring, blend);
    const int mix = ReadRed(pixelX, pixelY);
    return std::abs(grey - 128) <= 3 && mix > 40 && mix < 215;
}

BlurChooser::Trial BlurChooser::Try(FrameRing& ring, bool blend, int pixelX, int pixelY) {
    Trial trial;
    trial.right = ComposesRight(ring, blend, pixelX, pixelY);
    glFinish();
    const auto began = std::chrono::steady_clock::now();
    for (int frame = 0; frame < kFrames; ++frame) {
        if (frame % 2 == 0) {
            ring.Advance();
        }
        Compose(ring, blend);
    }
    glFinish();
    const std::chrono::duration<double, std::milli> spent =
        std::chrono::steady_clock::now() - began;
    trial.msPerFrame = spent.count() / kFrames;
    return trial;
}

BlurChooser::Choice BlurChooser::Measure(FrameRing& ring, int pixelX, int pixelY) {
    Choice choice;
    choice.accumulated = Try(ring, false, pixelX, pixelY);
    choice.blended = Try(ring, true, pixelX, pixelY);
    choice.blend = choice.blended.right &&
                   (!choice.accumulated.right ||
                    choice.blended.msPerFrame < choice.accumulated.msPerFrame);
    ring.Clear();
    return choice;
}
