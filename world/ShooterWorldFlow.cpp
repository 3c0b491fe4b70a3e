#include "world/ShooterWorld.h"

#include "audio/CSoundManager.h"
#include "events/EventType.h"
#include "events/GUIEventData.h"
#include "events/IEvent.h"
#include "events/PauseEventData.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"
#include "gui/CGUI.h"

namespace {

// The interface commands the world understands: "pause" toggles, "quit" ends the game,
// "restart" plays again from a fresh start.
void HandleCommand(ShooterWorld& world, const IEvent* event) {
    const auto* data = dynamic_cast<const GUIEventData*>(event->GetData());
    if (!data) {
        return;
    }
    if (data->m_name == "pause") {
        world.m_paused = !world.m_paused;
        world.m_pauseQueued = false;
    }
    if (data->m_name == "quit") {
        world.m_quit = true;
    }
    if (data->m_name == "restart") {
        world.Restart();
    }
}

// A ship that lost a life explodes, lets go of the fire key and starts coming back. A late
// event for a ship that is already back (or for no ship) does nothing.
void HandlePlayerDeath(ShooterWorld& world) {
    ShooterPlayer* player = world.m_player.get();
    if (!player || !player->IsDead()) {
        return;
    }
    if (world.m_explosions) {
        world.m_explosions->Spawn(player->GetPosition());
    }
    world.m_firing = false;
    player->BeginRespawn();
}

}  // namespace

bool ShooterWorld::HandleEvent(IEvent* event) {
    if (!event) {
        return false;
    }
    const EventType& type = event->GetEventType();
    if (type == Event_Shooter_Pause) {
        if (const auto* data = dynamic_cast<const PauseEventData*>(event->GetData())) {
            m_paused = data->m_paused;
        }
    }
    if (type == Event_Shooter_GUIEvent) {
        HandleCommand(*this, event);
    }
    if (type == Event_Shooter_PlayerDeath) {
        HandlePlayerDeath(*this);
    }
    if (type == Event_Shooter_PlayerNoMoreLives) {
        CGUI::GetInstance()->SetActiveLayer(m_gameOverLayer);
        if (!m_endingCued) {
            m_endingCued = true;
            CSoundManager::GetInstance()->Cue(SoundCue::GameOver);
        }
        RecordScore();
    }
    return false;
}
