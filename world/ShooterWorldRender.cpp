// Frames: the plain path and the motion-blur path, both drawing the scene with DrawScene.
#include "world/ShooterWorld.h"

#include <GL/glew.h>

#include <exception>

#include "core/Log.h"
#include "events/CEventManager.h"
#include "game/ShooterBackground.h"
#include "game/ShooterCamera.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"
#include "game/ShooterProjectile.h"
#include "gui/CGUI.h"
#include "world/WindowQuad.h"

namespace {

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

// One ring texture stretched over the whole window, in opaque white so that the colour the
// scene left behind does not tint it.
void DrawCompositionQuad(GLuint texture, int width, int height) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    DrawWindowQuad(width, height);
}

// Runs draw; when a draw call throws, the exception is logged and the model-view matrix is put
// back as it was, so that later draws and frames do not inherit it. False after an exception.
template <typename Draw>
bool DrawGuarded(Draw draw) {
    GLfloat modelView[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    try {
        draw();
        return true;
    } catch (const std::exception& e) {
        LogMessage("Exception found: %s\n", e.what());
    } catch (const std::exception* e) {
        LogMessage("Exception found: %s\n", e ? e->what() : "");
    }
    glLoadMatrixf(modelView);
    return false;
}

}  // namespace

void ShooterWorld::Render() {
    if (m_motionBlur && m_blurSupported) {
        RenderMotionBlur();
        return;
    }
    glDrawBuffer(GL_BACK);
    ClearToBlack();
    if (m_paused) {
        DrawPausedScene();
    } else {
        DrawScene();
    }
    SDL_GL_SwapBuffers();
}

void ShooterWorld::DrawScene() {
    if (!m_player) {
        return;
    }
    // A world that fails to draw leaves the interface undrawn for this frame.
    if (DrawGuarded([this] { DrawWorldPart(); })) {
        DrawGuarded([] { CGUI::GetInstance()->Render(); });
    }
}

// The world part comes from the still scene while it holds this paused world's picture.
void ShooterWorld::DrawPausedScene() {
    if (!m_player) {
        return;
    }
    const int width = static_cast<int>(m_width);
    const int height = static_cast<int>(m_height);
    const uint64_t key = m_sceneChanges + CEventManager::GetInstance()->DeliveredCount();
    if (!m_stillScene.Draw(key, width, height)) {
        if (!DrawGuarded([this] { DrawWorldPart(); })) {
            return;
        }
        m_stillScene.Keep(key, width, height);
    }
    DrawGuarded([] { CGUI::GetInstance()->Render(); });
}

// Background, enemies, shots, ship and explosions, seen through the camera; the camera
// translation is undone by the opposite translation.
void ShooterWorld::DrawWorldPart() {
    if (m_camera) {
        m_camera->ApplyView();
    }
    if (m_background) {
        m_background->Render();
    }
    bool drawBox = false;
    for (const auto& enemy : m_enemies) {
        if (enemy) {
            enemy->Render(drawBox);
        }
    }
    for (const auto& projectile : m_projectiles) {
        if (projectile) {
            projectile->Render(false);
        }
    }
    if (!m_player->IsDead()) {
        m_player->Render(false);
    }
    if (m_explosions) {
        m_explosions->Render(drawBox);
    }
    if (m_camera) {
        const Vector2 view = m_camera->GetPosition();
        glTranslatef(view.x, view.y, 0.0f);
    }
}

void ShooterWorld::RenderMotionBlur() {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, m_frameBuffer);
    glPushAttrib(GL_VIEWPORT_BIT);
    glViewport(0, 0, static_cast<GLsizei>(m_width), static_cast<GLsizei>(m_height));
    glDrawBuffer(GL_COLOR_ATTACHMENT0_EXT + m_frameSlot % 4);
    ClearToBlack();
    DrawScene();
    glPopAttrib();
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    if (m_blendBlur) {
        ComposeBlended();
    } else {
        ComposeAccumulated();
    }
    SDL_GL_SwapBuffers();
}

// Each slot is drawn onto the cleared window (colour times the slot's alpha where that alpha
// passes the alpha test, black elsewhere) and added with its weight; the current slot is
// loaded with the base weight first and added again with its own.
void ShooterWorld::ComposeAccumulated() {
    const int width = static_cast<int>(m_width);
    const int height = static_cast<int>(m_height);
    glDrawBuffer(GL_BACK);
    ClearToBlack();
    glLoadIdentity();
    DrawCompositionQuad(m_frameTextures[m_frameSlot % 4], width, height);
    glAccum(GL_LOAD, BASE_WEIGHT);
    for (uint32_t i = 0; i < 4; ++i) {
        ClearToBlack();
        DrawCompositionQuad(m_frameTextures[(m_frameSlot + i) % 4], width, height);
        glAccum(GL_ACCUM, SLOT_WEIGHTS[i]);
        glAccum(GL_RETURN, 1.0f);
    }
}

// The same sum in one pass of the ring blender, written over the whole window.
void ShooterWorld::ComposeBlended() {
    glDrawBuffer(GL_BACK);
    glLoadIdentity();
    m_ringBlender.Compose(m_frameTextures, m_frameSlot % 4, static_cast<int>(m_width),
                          static_cast<int>(m_height));
}
