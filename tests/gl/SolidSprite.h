#pragma once
// A one-frame sprite of one colour, uploaded as a texture on the test window, for drawing
// tests that must not depend on image files.

#include <GL/gl.h>

#include <memory>

#include "resources/CSprite.h"
#include "support/GLWindow.h"

class SolidSprite {
public:
    SolidSprite(int width, int height, Rgba colour) {
        m_sprite.m_frameWidth = width;
        m_sprite.m_frameHeight = height;
        m_sprite.m_imageWidth = width;
        m_sprite.m_imageHeight = height;
        m_sprite.m_numFrames = 1;
        m_sprite.m_columns = 1;
        m_sprite.m_rows = 1;
        for (int i = 0; i < width * height; ++i) {
            m_sprite.m_pixels.insert(m_sprite.m_pixels.end(),
                                     {colour.r, colour.g, colour.b, colour.a});
        }
        glGenTextures(1, &m_sprite.m_texture);
        glBindTexture(GL_TEXTURE_2D, m_sprite.m_texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     m_sprite.m_pixels.data());
        m_sprite.m_loaded = true;
    }
    ~SolidSprite() { glDeleteTextures(1, &m_sprite.m_texture); }
    SolidSprite(const SolidSprite&) = delete;
    SolidSprite& operator=(const SolidSprite&) = delete;

    CSprite* Get() { return &m_sprite; }

private:
    CSprite m_sprite;
};
