#include "world/ShooterWorld.h"

#include "audio/CSoundManager.h"
#include "core/Log.h"
#include "events/CEventManager.h"
#include "events/EventType.h"
#include "gui/CGUI.h"
#include "resources/CAnimationManager.h"
#include "resources/CFontManager.h"
#include "resources/CSpriteManager.h"

void ShooterWorld::Shutdown() {
    // Quitting during play ends a game too.
    m_session.RecordScore();
    m_recording.End(m_level, m_session);
    m_input.Close();
    // Every actor and the interface hold sprite, animation and font pointers: they go before
    // the managers that own those resources.
    m_level.ReleaseActors();
    CGUI::GetInstance()->UnloadAll();
    m_problems.Uninstall();
    CEventManager* events = CEventManager::GetInstance();
    // The world is destroyed after this and the event manager lives on: no event may reach
    // it any more. One call takes it off the lists of every type.
    events->DelListener(this, Event_Shooter_Pause);
    // Destroys the events still queued, so nothing queued outlives the run.
    events->Shutdown();
    CSpriteManager::GetInstance()->UnloadAll();
    CAnimationManager::GetInstance()->UnloadAll();
    CFontManager::GetInstance()->UnloadAll();
    // The frame ring's and the kept picture's OpenGL objects go while the window's context
    // still exists.
    m_ring.Release();
    // The audio device closes before SDL itself.
    CSoundManager::GetInstance()->Shutdown();
    SDL_Quit();
    // The counts of the problems met on every frame, one line each.
    FlushLogRepeats();
}
