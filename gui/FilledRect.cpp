#include "gui/FilledRect.h"

#include <GL/gl.h>

void FillRect(const Rect& rect, float r, float g, float b, float a) {
    glDisable(GL_TEXTURE_2D);
    glColor4f(r, g, b, a);
    glBegin(GL_QUADS);
    glVertex2f(rect.min.x, rect.min.y);
    glVertex2f(rect.max.x, rect.min.y);
    glVertex2f(rect.max.x, rect.max.y);
    glVertex2f(rect.min.x, rect.max.y);
    glEnd();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
}
