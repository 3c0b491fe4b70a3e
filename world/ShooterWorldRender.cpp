// Frames: the plain path and the motion-blur path, both drawing the scene with DrawScene.
#include "world/ShooterWorld.h"

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
#include "resources/GLApi.h"

namespace {

void ClearToBlack() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
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
    // The title's Continue follows the progress as the frame shows it: what can be clicked is
    // what was drawn, in the game's loop and a watched replay's alike.
    m_session.OfferContinue();
    if (m_ring.IsOn() && m_ring.IsSupported()) {
        RenderMotionBlur();
        return;
    }
    DrawIntoBackBuffer();
    ClearToBlack();
    if (m_session.IsPaused()) {
        DrawPausedScene();
    } else {
        DrawScene();
    }
    SaveScreenshotIfWanted();
    SDL_GL_SwapBuffers();
}

void ShooterWorld::DrawScene() {
    if (!m_level.Player()) {
        return;
    }
    // A world that fails to draw leaves the interface undrawn for this frame.
    if (DrawGuarded([this] { DrawWorldPart(); })) {
        DrawGuarded([] { CGUI::GetInstance()->Render(); });
        DrawGuarded([this] { m_problems.Render(); });
    }
}

// The world part comes from the still scene while it holds this paused world's picture.
void ShooterWorld::DrawPausedScene() {
    if (!m_level.Player()) {
        return;
    }
    const int width = static_cast<int>(m_window.Width());
    const int height = static_cast<int>(m_window.Height());
    const uint64_t key = m_ring.SceneChanges() + CEventManager::GetInstance()->DeliveredCount();
    StillScene& still = m_ring.Still();
    if (!still.Draw(key, width, height)) {
        if (!DrawGuarded([this] { DrawWorldPart(); })) {
            return;
        }
        still.Keep(key, width, height);
    }
    DrawGuarded([] { CGUI::GetInstance()->Render(); });
    DrawGuarded([this] { m_problems.Render(); });
}

// Background, enemies, shots, ship and explosions, seen through the camera; the camera
// translation is undone by the opposite translation.
void ShooterWorld::DrawWorldPart() {
    ShooterCamera* camera = m_level.Camera();
    if (camera) {
        camera->ApplyView();
    }
    if (ShooterBackground* background = m_level.Background()) {
        background->Render();
    }
    bool drawBox = false;
    for (const auto& enemy : m_level.EnemyList()) {
        if (enemy) {
            enemy->Render(drawBox);
        }
    }
    for (const auto& projectile : m_level.ProjectileList()) {
        if (projectile) {
            projectile->Render(false);
        }
    }
    ShooterPlayer* player = m_level.Player();
    if (!player->IsDead()) {
        player->Render(false);
    }
    if (ShooterExplosionManager* explosions = m_level.Explosions()) {
        explosions->Render(drawBox);
    }
    if (camera) {
        const Vector2 view = camera->GetPosition();
        glTranslatef(view.x, view.y, 0.0f);
    }
}

// Draws the scene into the current ring slot, composes the window image from the four slots
// and swaps.
void ShooterWorld::RenderMotionBlur() {
    m_ring.BeginSlot();
    ClearToBlack();
    DrawScene();
    m_ring.EndSlot();
    m_ring.Compose();
    SaveScreenshotIfWanted();
    SDL_GL_SwapBuffers();
}
