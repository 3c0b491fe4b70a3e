#include "GLCallHooks.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

namespace {

long g_drawCalls = 0;
bool g_recording = false;
std::vector<glhooks::Quad> g_quads;
int g_corner = 0;
// Inside a glBegin(GL_QUADS) of a recording.
bool g_inQuads = false;
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
void __real_glVertex2f(GLfloat x, GLfloat y);
void __real_SDL_GL_SwapBuffers();

void __wrap_glBegin(GLenum mode) {
    ++g_drawCalls;
    g_inQuads = g_recording && mode == GL_QUADS;
    if (g_inQuads) {
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

}  // extern "C"

namespace {

// The engine's sprites place their corners with glVertex2i under a model-view transform, and
// batches of frames (text) place several quads in one glBegin with glVertex2f; the recorder
// applies the transform to get window coordinates and starts a new quad every four corners.
void RecordCorner(float x, float y) {
    if (!g_inQuads || g_quads.empty()) {
        return;
    }
    if (g_corner == 4) {
        glhooks::Quad next = g_quads.back();
        g_quads.push_back(next);
        g_corner = 0;
    }
    const float* m = g_modelView;
    glhooks::Quad& quad = g_quads.back();
    quad.s[g_corner] = g_s;
    quad.t[g_corner] = g_t;
    quad.x[g_corner] = m[0] * x + m[4] * y + m[12];
    quad.y[g_corner] = m[1] * x + m[5] * y + m[13];
    ++g_corner;
}

}  // namespace

extern "C" {

void __wrap_glVertex2i(GLint x, GLint y) {
    RecordCorner(float(x), float(y));
    __real_glVertex2i(x, y);
}

void __wrap_glVertex2f(GLfloat x, GLfloat y) {
    RecordCorner(x, y);
    __real_glVertex2f(x, y);
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
