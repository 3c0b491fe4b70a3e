#pragma once
// An SDL 1.2 OpenGL window for drawing tests, opened once per test program on the virtual
// display, with the game's fixed drawing state: pixel projection with the origin at the lower
// left, blending and alpha test as the game sets them. Pixels are read back with glReadPixels.

#include <cstdint>
#include <gtest/gtest.h>

struct Rgba {
    uint8_t r, g, b, a;
};

class GLWindow {
public:
    // Opens the window at width x height unless one of that size is open, and resets the
    // drawing state; false when no display or no OpenGL is available.
    static bool Open(int width = 1024, int height = 512);
    // Clears the back buffer to opaque black and resets the model-view matrix.
    static void Clear();
    // Reads one pixel of the back buffer, (x, y) counted from the lower left.
    static Rgba ReadPixel(int x, int y);
    static int Width();
    static int Height();
};

// Fixture for drawing tests: opens the window and clears it before every test.
class GLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(GLWindow::Open()) << "no OpenGL window: run the drawing tests on a display";
        GLWindow::Clear();
    }
};
