#include "world/StillScene.h"

#include <GL/glew.h>

#include "world/WindowQuad.h"

bool StillScene::Draw(uint64_t key, int width, int height) const {
    if (!m_kept || key != m_key || width != m_width || height != m_height) {
        return false;
    }
    // Unfiltered, unblended and in opaque white the quad gives back each texel unchanged.
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT);
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
    glPopAttrib();
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
    glPushAttrib(GL_TEXTURE_BIT | GL_PIXEL_MODE_BIT);
    if (m_texture == 0) {
        GLuint name = 0;
        glGenTextures(1, &name);
        m_texture = name;
    }
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glReadBuffer(GL_BACK);
    // The picture is the viewport's part of the window (centred in a larger video mode, and
    // scaled in a window of another size): the texture takes the viewport's size.
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int copyWidth = viewport[2];
    const int copyHeight = viewport[3];
    if (copyWidth == m_copyWidth && copyHeight == m_copyHeight) {
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, viewport[0], viewport[1], copyWidth,
                            copyHeight);
    } else {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, viewport[0], viewport[1], copyWidth,
                         copyHeight, 0);
    }
    glPopAttrib();
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
