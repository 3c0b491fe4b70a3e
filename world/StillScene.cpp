#include "world/StillScene.h"

#include "resources/GLApi.h"
#include "resources/SavedGLState.h"
#include "world/WindowQuad.h"

namespace {

// Copies the viewport's part of the back buffer into texture: into its image when that has
// the viewport's size already (sameSize), else as a new image of that size. The texture
// binding is put back.
void CopyViewportInto(GLuint texture, const GLint viewport[4], bool sameSize) {
    const SavedGLState saved(SavedGLState::kTextureBinding);
    glBindTexture(GL_TEXTURE_2D, texture);
    ReadFromBackBuffer();
    if (sameSize) {
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, viewport[0], viewport[1], viewport[2],
                            viewport[3]);
        return;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    // The browser's canvas has no alpha channel, and WebGL copies only into a format without
    // more channels than the source (the picture is drawn back unblended: alpha is not read);
    // the desktop keeps 8 bits per channel.
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GLIMMERAX_WEBGL ? GL_RGB : GL_RGBA8, viewport[0],
                     viewport[1], viewport[2], viewport[3], 0);
}

}  // namespace

bool StillScene::Draw(uint64_t key, int width, int height) const {
    if (!m_kept || key != m_key || width != m_width || height != m_height) {
        return false;
    }
    // Unfiltered, unblended and in opaque white the quad gives back each texel unchanged.
    // Textures stay on and the colour white, as the fixed state has them.
    const SavedGLState saved(SavedGLState::kBlendAlphaTest | SavedGLState::kTextureBinding);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    DrawWindowQuad(width, height);
    glPopMatrix();
    return true;
}

void StillScene::Keep(uint64_t key, int width, int height) {
    const bool stillAgain = key == m_seenKey && width == m_seenWidth && height == m_seenHeight;
    m_seenKey = key;
    m_seenWidth = width;
    m_seenHeight = height;
    if (!stillAgain) {
        return;
    }
    if (m_texture == 0) {
        GLuint name = 0;
        glGenTextures(1, &name);
        m_texture = name;
    }
    // The picture is the viewport's part of the window (centred in a larger video mode, and
    // scaled in a window of another size): the texture takes the viewport's size.
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int copyWidth = viewport[2];
    const int copyHeight = viewport[3];
    CopyViewportInto(m_texture, viewport, copyWidth == m_copyWidth && copyHeight == m_copyHeight);
    // A driver that could not copy keeps nothing rather than a wrong picture.
    m_kept = glGetError() == GL_NO_ERROR;
    m_width = m_kept ? width : 0;
    m_height = m_kept ? height : 0;
    m_copyWidth = m_kept ? copyWidth : 0;
    m_copyHeight = m_kept ? copyHeight : 0;
    m_key = key;
}

void StillScene::Release() {
    if (m_texture != 0) {
        const GLuint name = m_texture;
        glDeleteTextures(1, &name);
    }
    Forget();
}

void StillScene::Forget() {
    m_texture = 0;
    m_width = 0;
    m_height = 0;
    m_copyWidth = 0;
    m_copyHeight = 0;
    m_kept = false;
    m_seenWidth = 0;
    m_seenHeight = 0;
}
