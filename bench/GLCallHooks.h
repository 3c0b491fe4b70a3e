#pragma once
// Hooks on the OpenGL and SDL calls the engine draws with, installed by the linker
// (--wrap=glBegin and friends, see CMakeLists.txt) in the benchmark programs only. They count
// the calls that draw or present anything, and can record the textured quads of one frame in
// window coordinates so that a bare loop can draw exactly the same quads.

#include <vector>

namespace glhooks {

// One textured quad as it reached the rasteriser: its texture, its colour and, for each of
// its four corners, texture coordinates and window position.
struct Quad {
    unsigned texture = 0;
    float color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float s[4] = {}, t[4] = {}, x[4] = {}, y[4] = {};
};

// glBegin, glBindTexture, glClear and SDL_GL_SwapBuffers calls so far.
long DrawCalls();

// Records every quad drawn from now until StopRecording (which returns them). Recording reads
// the model-view matrix back for every vertex, so it is slow: use it on one frame only.
void StartRecording();
std::vector<Quad> StopRecording();

}  // namespace glhooks
