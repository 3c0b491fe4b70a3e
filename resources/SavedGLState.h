#pragma once
// Explicit save and restore of the few OpenGL states a drawing pass changes: the stand-in for
// glPushAttrib/glPopAttrib, which OpenGL ES and WebGL (the browser release) do not have. Each
// part is read with a query those APIs also answer, and put back when the saver ends.

#include <cstdint>

class SavedGLState {
public:
    enum Part : unsigned {
        kViewport = 1u << 0,         // glViewport
        kBlendAlphaTest = 1u << 1,   // whether GL_BLEND and GL_ALPHA_TEST are enabled
        kTextureBinding = 1u << 2,   // the texture bound to GL_TEXTURE_2D on the active unit
    };

    // Saves the parts named (Part values or'ed together).
    explicit SavedGLState(unsigned parts);
    // Puts back every part saved.
    ~SavedGLState();
    SavedGLState(const SavedGLState&) = delete;
    SavedGLState& operator=(const SavedGLState&) = delete;

private:
    unsigned m_parts;
    int32_t m_viewport[4] = {0, 0, 0, 0};
    bool m_blend = false;
    bool m_alphaTest = false;
    int32_t m_texture = 0;
};
