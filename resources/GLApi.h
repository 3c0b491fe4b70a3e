#pragma once
// The OpenGL the engine draws with: GLEW's declarations on the desktop, and in the browser
// release Emscripten's OpenGL 1.x emulation over WebGL 2, which knows the framebuffer calls
// only by their core names and has a single colour buffer in the window's framebuffer.

#include <GL/glew.h>

#ifdef __EMSCRIPTEN__
#define GLIMMERAX_WEBGL 1
// The EXT framebuffer names the engine uses, as WebGL 2's core calls and constants.
#define glGenFramebuffersEXT glGenFramebuffers
#define glBindFramebufferEXT glBindFramebuffer
#define glDeleteFramebuffersEXT glDeleteFramebuffers
#define glFramebufferTexture2DEXT glFramebufferTexture2D
#define glFramebufferRenderbufferEXT glFramebufferRenderbuffer
#define glCheckFramebufferStatusEXT glCheckFramebufferStatus
#define glGenRenderbuffersEXT glGenRenderbuffers
#define glBindRenderbufferEXT glBindRenderbuffer
#define glRenderbufferStorageEXT glRenderbufferStorage
#define glDeleteRenderbuffersEXT glDeleteRenderbuffers
#else
#define GLIMMERAX_WEBGL 0
#endif

// Draws into, or reads from, the window's back buffer. The browser's canvas has only that
// buffer (and WebGL no call to choose one): there these do nothing.
inline void DrawIntoBackBuffer() {
#if !GLIMMERAX_WEBGL
    glDrawBuffer(GL_BACK);
#endif
}
inline void ReadFromBackBuffer() {
#if !GLIMMERAX_WEBGL
    glReadBuffer(GL_BACK);
#endif
}
