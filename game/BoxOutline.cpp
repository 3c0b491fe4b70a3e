#include "game/BoxOutline.h"

#include <GL/gl.h>

#include "math/BoundingBox.h"

void DrawBoxOutline(const BoundingBox& box) {
    glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
    glBegin(GL_LINE_LOOP);
    glVertex3f(box.left, box.bottom, 1.0f);
    glVertex3f(box.right, box.bottom, 1.0f);
    glVertex3f(box.right, box.top, 1.0f);
    glVertex3f(box.left, box.top, 1.0f);
    glEnd();
}
