#include "resources/SavedGLState.h"

#include "resources/GLApi.h"

namespace {

void SetEnabled(GLenum capability, bool on) {
    if (on) {
        glEnable(capability);
    } else {
        glDisable(capability);
    }
}

}  // namespace

SavedGLState::SavedGLState(unsigned parts) : m_parts(parts) {
    if (m_parts & kViewport) {
        glGetIntegerv(GL_VIEWPORT, m_viewport);
    }
    if (m_parts & kBlendAlphaTest) {
        m_blend = glIsEnabled(GL_BLEND) == GL_TRUE;
        m_alphaTest = glIsEnabled(GL_ALPHA_TEST) == GL_TRUE;
    }
    if (m_parts & kTextureBinding) {
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &m_texture);
    }
}

SavedGLState::~SavedGLState() {
    if (m_parts & kViewport) {
        glViewport(m_viewport[0], m_viewport[1], m_viewport[2], m_viewport[3]);
    }
    if (m_parts & kBlendAlphaTest) {
        SetEnabled(GL_BLEND, m_blend);
        SetEnabled(GL_ALPHA_TEST, m_alphaTest);
    }
    if (m_parts & kTextureBinding) {
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(m_texture));
    }
}
