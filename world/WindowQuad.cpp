#include "world/WindowQuad.h"

#include <GL/glew.h>

void DrawWindowQuad(int width, int height) {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2i(0, 0);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2i(width, 0);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2i(width, height);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2i(0, height);
    glEnd();
}
