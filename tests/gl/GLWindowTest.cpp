#include "support/GLWindow.h"

#include <GL/gl.h>

// The harness itself: a quad drawn in pixel units lands on the pixels it names.
TEST_F(GLTest, QuadInPixelUnitsLandsWhereItIsDrawn) {
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 0, 0, 1);
    glBegin(GL_QUADS);
    glVertex2i(10, 20);
    glVertex2i(30, 20);
    glVertex2i(30, 40);
    glVertex2i(10, 40);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    const Rgba inside = GLWindow::ReadPixel(15, 25);
    const Rgba outside = GLWindow::ReadPixel(5, 25);
    EXPECT_EQ(inside.r, 255);
    EXPECT_EQ(inside.g, 0);
    EXPECT_EQ(outside.r, 0);
}
