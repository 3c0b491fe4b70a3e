// A replay being watched: its recorded updates take the place of the player's input and the
// loop's updates, with the normal picture and sound.
#include "world/ShooterWorld.h"

#include <exception>

#include "core/Log.h"
#include "events/CEventManager.h"
#include "gui/CGUI.h"

void ShooterWorld::PlayUpdate(const ReplayUpdate& update, ReplayClock& clock) {
    try {
        for (const GameCommand& command : update.commands) {
            m_level.Apply(command);
        }
        CEventManager::GetInstance()->Tick();
        // The recorded game paused or resumed here: the interface follows as a press of its
        // pause button would have it (the title's start, the pause layer's resume).
        if (m_session.IsPaused() == update.stepped && m_level.Player()) {
            CGUI::GetInstance()->PressButton("pause");
        }
        m_session.SetPaused(!update.stepped);
        float dt = update.dt;
        CGUI::GetInstance()->Update(dt);
        if (update.stepped && m_level.Player()) {
            m_ring.NoteSceneChange();
            clock.Play(update.readings);
            m_level.Step(dt, &m_session);
            clock.Stop();
        }
    } catch (const std::exception& e) {
        clock.Stop();
        LogMessage("Exception found: %s\n", e.what());
    }
    m_session.UpdateMusic();
}
