// The frame ring's OpenGL objects and its two compositions.
#include "world/FrameRing.h"

#include "core/Log.h"
#include "resources/GLApi.h"
#include "world/WindowQuad.h"

namespace {

#if !GLIMMERAX_WEBGL
// Weight of the current image loaded first, then the weights added for the slots
// current, current + 1 (three ticks old), + 2 (two ticks old), + 3 (the previous tick).
const float BASE_WEIGHT = 0.4f;
const float SLOT_WEIGHTS[4] = {(1.0f - BASE_WEIGHT) / 4.0f * 0.2f,
                               (1.0f - BASE_WEIGHT) / 4.0f * 0.8f, (1.0f - BASE_WEIGHT) / 4.0f,
                               (1.0f - BASE_WEIGHT) / 2.0f};

void ClearToBlack() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// One ring texture stretched over the whole picture, in opaque white so that the colour the
// scene left behind does not tint it.
void DrawCompositionQuad(GLuint texture, int width, int height) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    DrawWindowQuad(width, height);
}
#endif

// The ring textures are drawn at their own size, one texel per pixel; the blending
// composition samples them unfiltered, which reads the same texels at less cost. The texture
// is attached to the bound framebuffer as colour attachment slot.
GLuint CreateRingTexture(uint32_t width, uint32_t height, int slot, GLint filter) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(width),
                 static_cast<GLsizei>(height), 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT + slot, GL_TEXTURE_2D,
                              texture, 0);
    return texture;
}

}  // namespace

bool FrameRing::Build(uint32_t width, uint32_t height) {
    m_width = width;
    m_height = height;
    m_supported = true;
    GLuint name = 0;
    glGenFramebuffersEXT(1, &name);
    m_frameBuffer = name;
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, name);
    LogMessage("FBO Initialised!\n");

    glGenRenderbuffersEXT(1, &name);
    m_depthBuffer = name;
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, name);
    // WebGL needs the depth format sized.
    glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT,
                             GLIMMERAX_WEBGL ? GL_DEPTH_COMPONENT16 : GL_DEPTH_COMPONENT,
                             static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    LogMessage("Renderbuffer initialised!\n");

    const GLint filter = m_blend ? GL_NEAREST : GL_LINEAR;
    bool complete = true;
    for (int slot = 0; slot < 4; ++slot) {
        if (GLIMMERAX_WEBGL) {
            // One framebuffer per slot, each drawing into its texture and the shared depth.
            if (slot > 0) {
                glGenFramebuffersEXT(1, &name);
                glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, name);
            }
            m_slotBuffers[slot] = slot > 0 ? name : m_frameBuffer;
            m_textures[slot] = CreateRingTexture(width, height, 0, filter);
            glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT,
                                         GL_RENDERBUFFER_EXT, m_depthBuffer);
            complete = complete && glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) ==
                                       GL_FRAMEBUFFER_COMPLETE_EXT;
        } else {
            m_textures[slot] = CreateRingTexture(width, height, slot, filter);
        }
    }
    LogMessage("Framebuffers created!\n");

    if (!GLIMMERAX_WEBGL) {
        glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT,
                                     GL_RENDERBUFFER_EXT, m_depthBuffer);
        complete = glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT;
    }
    LogMessage("Renderbuffer created!\n");

    if (!complete) {
        LogMessage("Error in frame buffer.\n");
        Release();
        return false;
    }
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    Clear();
    return true;
}

void FrameRing::SetUpBlending(int accumBits, bool srgbAccumulation) {
    if (m_blender.Build(srgbAccumulation, static_cast<int>(m_width), static_cast<int>(m_height)) ||
        !m_blend) {
        return;
    }
    m_blend = false;
    if (accumBits > 0) {
        LogMessage(
            "Motion blur by blending needs OpenGL 2.0 shaders; the accumulation buffer is "
            "used.\n");
    } else {
        LogMessage(
            "Motion blur by blending needs OpenGL 2.0 shaders; motion blur is not "
            "available.\n");
        Release();
    }
}

void FrameRing::Release() {
    m_blender.Release();
    m_still.Release();
    if (m_frameBuffer != 0 || m_depthBuffer != 0 || m_textures[0] != 0) {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    }
    for (uint32_t& texture : m_textures) {
        if (texture != 0) {
            const GLuint name = texture;
            glDeleteTextures(1, &name);
        }
    }
    if (m_depthBuffer != 0) {
        const GLuint name = m_depthBuffer;
        glDeleteRenderbuffersEXT(1, &name);
    }
    if (m_frameBuffer != 0) {
        const GLuint name = m_frameBuffer;
        glDeleteFramebuffersEXT(1, &name);
    }
    // The browser's other slots' framebuffers (the first is m_frameBuffer).
    for (int slot = 1; slot < 4; ++slot) {
        if (m_slotBuffers[slot] != 0) {
            const GLuint name = m_slotBuffers[slot];
            glDeleteFramebuffersEXT(1, &name);
        }
    }
    Forget();
}

void FrameRing::Forget() {
    m_blender.Forget();
    m_still.Forget();
    m_frameBuffer = 0;
    m_depthBuffer = 0;
    for (uint32_t& texture : m_textures) {
        texture = 0;
    }
    for (uint32_t& buffer : m_slotBuffers) {
        buffer = 0;
    }
    m_windowViewport.reset();
    m_supported = false;
}

void FrameRing::Clear() {
    if (!m_supported) {
        return;
    }
    m_blender.Invalidate();
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    for (uint32_t slot = 0; slot < 4; ++slot) {
        BindSlot(slot);
        const SavedGLState saved(SavedGLState::kViewport);
        glViewport(0, 0, static_cast<GLsizei>(m_width), static_cast<GLsizei>(m_height));
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
}

void FrameRing::BindSlot(uint32_t slot) {
    if (GLIMMERAX_WEBGL) {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, m_slotBuffers[slot]);
        return;
    }
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, m_frameBuffer);
#if !GLIMMERAX_WEBGL
    glDrawBuffer(GL_COLOR_ATTACHMENT0_EXT + slot);
#endif
}

void FrameRing::Advance() {
    m_slot = (m_slot + 1) % 4;
    // The new current slot's older slots now include the one drawn last tick.
    m_blender.Invalidate();
}

void FrameRing::BeginSlot() {
    BindSlot(m_slot % 4);
    m_windowViewport.emplace(SavedGLState::kViewport);
    glViewport(0, 0, static_cast<GLsizei>(m_width), static_cast<GLsizei>(m_height));
}

void FrameRing::EndSlot() {
    m_windowViewport.reset();
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
}

void FrameRing::Compose() {
    if (m_blend) {
        ComposeBlended();
    } else {
        ComposeAccumulated();
    }
}

// Each slot is drawn onto the cleared window (colour times the slot's alpha where that alpha
// passes the alpha test, black elsewhere) and added with its weight; the current slot is
// loaded with the base weight first and added again with its own.
void FrameRing::ComposeAccumulated() {
#if GLIMMERAX_WEBGL
    // The browser has no accumulation buffer: its ring always blends (ShooterWorld::InitGL).
#else
    const int width = static_cast<int>(m_width);
    const int height = static_cast<int>(m_height);
    glDrawBuffer(GL_BACK);
    ClearToBlack();
    glLoadIdentity();
    DrawCompositionQuad(m_textures[m_slot % 4], width, height);
    glAccum(GL_LOAD, BASE_WEIGHT);
    for (uint32_t i = 0; i < 4; ++i) {
        ClearToBlack();
        DrawCompositionQuad(m_textures[(m_slot + i) % 4], width, height);
        glAccum(GL_ACCUM, SLOT_WEIGHTS[i]);
        glAccum(GL_RETURN, 1.0f);
    }
#endif
}

// The same sum in one pass of the ring blender, written over the whole picture.
void FrameRing::ComposeBlended() {
    DrawIntoBackBuffer();
    glLoadIdentity();
    m_blender.Compose(m_textures, m_slot % 4, static_cast<int>(m_width),
                      static_cast<int>(m_height));
}
