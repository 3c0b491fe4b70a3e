#include "GLCallHooks.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

namespace {

long g_drawCalls = 0;
bool g_recording = false;
std::vector<glhooks::Quad> g_quads;
int g_corner = 0;
unsigned g_texture = 0;
float g_color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
float g_s = 0.0f, g_t = 0.0f;
// The model-view matrix at the start of the quad being recorded (it cannot be read back
// between glBegin and glEnd, and cannot change there).
float g_modelView[16];

}  // namespace

extern "C" {

void __real_glBegin(GLenum mode);
void __real_glBindTexture(GLenum target, GLuint texture);
void __real_glClear(GLbitfield mask);
void __real_glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
void __real_glTexCoord2f(GLfloat s, GLfloat t);
void __real_glVertex2i(GLint x, GLint y);
void __real_SDL_GL_SwapBuffers();

void __wrap_glBegin(GLenum mode) {
    ++g_drawCalls;
    if (g_recording && mode == GL_QUADS) {
        glhooks::Quad quad;
        quad.texture = g_texture;
        for (int i = 0; i < 4; ++i) {
            quad.color[i] = g_color[i];
        }
        g_quads.push_back(quad);
        g_corner = 0;
        glGetFloatv(GL_MODELVIEW_MATRIX, g_modelView);
    }
    __real_glBegin(mode);
}

void __wrap_glBindTexture(GLenum target, GLuint texture) {
    ++g_drawCalls;
    g_texture = texture;
    __real_glBindTexture(target, texture);
}

void __wrap_glClear(GLbitfield mask) {
    ++g_drawCalls;
    __real_glClear(mask);
}

void __wrap_glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    g_color[0] = r;
    g_color[1] = g;
    g_color[2] = b;
    g_color[3] = a;
    __real_glColor4f(r, g, b, a);
}

void __wrap_glTexCoord2f(GLfloat s, GLfloat t) {
    g_s = s;
    g_t = t;
    __real_glTexCoord2f(s, t);
}

// The engine's sprites place their corners with glVertex2i under a model-view transform; the
// recorder applies that transform to get window coordinates.
void __wrap_glVertex2i(GLint x, GLint y) {
    if (g_recording && !g_quads.empty() && g_corner < 4) {
        const float* m = g_modelView;
        glhooks::Quad& quad = g_quads.back();
        quad.s[g_corner] = g_s;
        quad.t[g_corner] = g_t;
        quad.x[g_corner] = m[0] * float(x) + m[4] * float(y) + m[12];
        quad.y[g_corner] = m[1] * float(x) + m[5] * float(y) + m[13];
        ++g_corner;
    }
    __real_glVertex2i(x, y);
}

void __wrap_SDL_GL_SwapBuffers() {
    ++g_drawCalls;
    __real_SDL_GL_SwapBuffers();
}

}  // extern "C"

namespace glhooks {

long DrawCalls() {
    return g_drawCalls;
}

void StartRecording() {
    g_quads.clear();
    g_recording = true;
}

std::vector<Quad> StopRecording() {
    g_recording = false;
    return std::move(g_quads);
}

}  // namespace glhooks
