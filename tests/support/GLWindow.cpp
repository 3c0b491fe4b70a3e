#include "support/GLWindow.h"

#include <GL/glew.h>
#include <GL/glu.h>
#include <SDL/SDL.h>

#include "support/DisplayConnection.h"

namespace {
int g_width = 0;
int g_height = 0;

void SetGameState() {
    glViewport(0, 0, g_width, g_height);
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 1);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GREATER, 0.1f);
    glEnable(GL_ALPHA_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, g_width, 0, g_height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDrawBuffer(GL_BACK);
    glReadBuffer(GL_BACK);
}

// True when SDL shows an OpenGL window of that size: the harness's own, or the game's when a
// test opened it through the world (a world test's shutdown closes it again).
bool IsOpen(int width, int height) {
    const SDL_Surface* screen = SDL_GetVideoSurface();
    return screen && (screen->flags & SDL_OPENGL) && screen->w == width && screen->h == height;
}

bool OpenVideoMode(int width, int height) {
    DisplayConnection::Hold();
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_Init(SDL_INIT_VIDEO) < 0) {
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, 16);
    if (!SDL_SetVideoMode(width, height, 0, SDL_OPENGL)) {
        return false;
    }
    glewInit();
    return true;
}
}  // namespace

bool GLWindow::Open(int width, int height) {
    if (!IsOpen(width, height) && !OpenVideoMode(width, height)) {
        return false;
    }
    g_width = width;
    g_height = height;
    SetGameState();
    return true;
}

void GLWindow::Clear() {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor4f(1, 1, 1, 1);
}

Rgba GLWindow::ReadPixel(int x, int y) {
    Rgba pixel{0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &pixel);
    return pixel;
}

int GLWindow::Width() {
    return g_width;
}

int GLWindow::Height() {
    return g_height;
}
