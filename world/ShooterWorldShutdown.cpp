#include "world/ShooterWorld.h"

#include <GL/glew.h>

#include "audio/CSoundManager.h"
#include "core/Log.h"
#include "events/CEventManager.h"
#include "events/EventType.h"
#include "game/ShooterBackground.h"
#include "game/ShooterCamera.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"
#include "game/ShooterProjectile.h"
#include "gui/CGUI.h"
#include "resources/CAnimationManager.h"
#include "resources/CFontManager.h"
#include "resources/CSpriteManager.h"

namespace {

// Every actor and the interface hold sprite, animation and font pointers: they go before the
// managers that own those resources.
void ReleaseActors(ShooterWorld& world) {
    world.m_player.reset();
    for (auto& enemy : world.m_enemies) {
        enemy.reset();
    }
    for (auto& projectile : world.m_projectiles) {
        projectile.reset();
    }
    world.m_enemies.clear();
    world.m_projectiles.clear();
    world.m_camera.reset();
    world.m_background.reset();
    world.m_explosions.reset();
}

// The frame ring's and the still scene's OpenGL objects go while the window's context still
// exists.
void DeleteFrameRing(ShooterWorld& world) {
    world.m_ringBlender.Release();
    world.m_stillScene.Release();
    if (!world.m_blurSupported) {
        return;
    }
    GLuint frameBuffer = world.m_frameBuffer;
    GLuint depthBuffer = world.m_depthBuffer;
    glDeleteFramebuffersEXT(1, &frameBuffer);
    glDeleteRenderbuffersEXT(1, &depthBuffer);
    GLuint textures[4];
    for (int i = 0; i < 4; ++i) {
        textures[i] = world.m_frameTextures[i];
    }
    glDeleteTextures(4, textures);
}

}  // namespace

void ShooterWorld::Shutdown() {
    // Quitting during play ends a game too.
    RecordScore();
    m_gamepad.Close();
    ReleaseActors(*this);
    CGUI::GetInstance()->UnloadAll();
    CEventManager* events = CEventManager::GetInstance();
    // The world is destroyed after this and the event manager lives on: no event may reach
    // it any more. One call takes it off the lists of every type.
    events->DelListener(this, Event_Shooter_Pause);
    // Destroys the events still queued, so nothing queued outlives the run.
    events->Shutdown();
    CSpriteManager::GetInstance()->UnloadAll();
    CAnimationManager::GetInstance()->UnloadAll();
    CFontManager::GetInstance()->UnloadAll();
    DeleteFrameRing(*this);
    // The audio device closes before SDL itself.
    CSoundManager::GetInstance()->Shutdown();
    SDL_Quit();
    // The counts of the problems met on every frame, one line each.
    FlushLogRepeats();
}
