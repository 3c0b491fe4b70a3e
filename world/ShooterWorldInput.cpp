// Input and game flow: SDL's events through the input mapping, the commands carried out, and
// the game events the world listens to.
#include "world/ShooterWorld.h"

#include <cmath>

#include "audio/CSoundManager.h"
#include "events/CEventManager.h"
#include "events/EventType.h"
#include "events/GUIEvent.h"
#include "events/GUIEventData.h"
#include "events/IEvent.h"
#include "events/PauseEventData.h"
#include "game/ShooterCamera.h"

void ShooterWorld::HandleSDLEvent(SDL_Event& event) {
    m_ring.NoteSceneChange();
    if (event.type == SDL_VIDEORESIZE) {
        ResizeWindow(event.resize.w, event.resize.h);
        return;
    }
    m_input.Handle(event, m_commands);
}

void ShooterWorld::Commands::Execute(const GameCommand& command) {
    if (command.IsShipCommand()) {
        // The ship's bindings, N among them, need a living ship; without a level there is none.
        if (command.kind == CommandKind::ToggleBlur && m_world->m_level.ShipTakesInput()) {
            m_world->m_ring.SetOn(!m_world->m_ring.IsOn());
            if (m_world->m_ring.IsOn()) {
                m_world->MeasureBlurOnFirstUse();
            } else {
                m_world->m_ring.Clear();
            }
        }
        if (command.kind != CommandKind::ToggleBlur) {
            m_world->m_recording.NoteCommand(command);
        }
        m_world->m_level.Apply(command);
        return;
    }
    switch (command.kind) {
        case CommandKind::Quit:
            m_world->m_session.SetQuit(true);
            break;
        case CommandKind::ToggleMute:
            CSoundManager::GetInstance()->ToggleMute();
            break;
        case CommandKind::Restart: {
            // Through the same command as a "restart" button.
            auto* event = new GUIEvent("restart");
            if (!CEventManager::GetInstance()->QueueEvent(event)) {
                delete event;
            }
            break;
        }
        case CommandKind::TogglePause:
            m_world->m_session.TogglePause();
            break;
        case CommandKind::ToggleFullScreen: {
            // The player's choice lasts: the settings file keeps it for the next start.
            m_world->ToggleFullScreen();
            const bool fullScreen = m_world->m_window.IsFullScreen();
            m_world->m_settings.Change([fullScreen](Settings& settings) {
                settings.fullScreen = fullScreen;
            });
            break;
        }
        case CommandKind::ToggleProblems:
            m_world->m_problems.Toggle();
            break;
        case CommandKind::FocusLost:
            m_world->m_session.PauseForFocusLoss();
            break;
        default:
            break;
    }
}

// The interface counts y upwards from the bottom edge, like the drawing coordinates: the
// camera's height minus SDL's y within the picture, or the picture's height when no level gave
// a camera. The picture lies letterboxed in the window, scaled by the window's scale.
void ShooterWorld::Commands::ToInterface(int& x, int& y) const {
    const ShooterCamera* camera = m_world->m_level.Camera();
    const float height =
        camera ? camera->GetSize().y : static_cast<float>(m_world->m_window.Height());
    const VideoWindow& window = m_world->m_window;
    x = static_cast<int>(std::floor(static_cast<float>(x - window.PictureX()) / window.Scale()));
    y = static_cast<int>(height - std::floor(static_cast<float>(y - window.PictureTop()) /
                                             window.Scale()));
}

bool ShooterWorld::HandleEvent(IEvent* event) {
    if (!event) {
        return false;
    }
    const EventType& type = event->GetEventType();
    if (type == Event_Shooter_Pause) {
        if (const auto* data = dynamic_cast<const PauseEventData*>(event->GetData())) {
            m_session.SetPaused(data->m_paused);
        }
    }
    // The interface commands the world understands: "pause" toggles, "quit" ends the game,
    // "restart" plays again from a fresh start, "continue" starts a fresh game at the furthest
    // campaign level reached, "nextlevel" starts a campaign's next level while it waits.
    if (type == Event_Shooter_GUIEvent) {
        if (const auto* data = dynamic_cast<const GUIEventData*>(event->GetData())) {
            if (data->m_name == "pause") {
                m_session.PauseCommand();
            }
            if (data->m_name == "quit") {
                m_session.SetQuit(true);
            }
            if (data->m_name == "restart") {
                Restart();
            }
            if (data->m_name == "continue") {
                Continue();
            }
            if (data->m_name == "nextlevel") {
                NextLevel();
            }
            // Watched between two passes of the loop (WatchRequestedRun), not inside events.
            if (data->m_name == "watchbest") {
                m_recording.RequestWatch();
            }
            // "options", "back" and "restoredefaults": the options screen's.
            m_options.Command(data->m_name);
        }
    }
    if (type == Event_Shooter_PlayerDeath) {
        m_level.HandleShipDeath();
    }
    if (type == Event_Shooter_PlayerNoMoreLives) {
        m_session.End(GameSession::Ending::GameOver);
    }
    return false;
}
