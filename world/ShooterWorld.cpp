// The world's lifetime, the update wrapper and the steps that involve several parts.
#include "world/ShooterWorld.h"

#include <exception>

#include "core/Log.h"
#include "events/CEventManager.h"
#include "gui/CGUI.h"
#include "platform/Clock.h"

ShooterWorld::ShooterWorld() = default;

ShooterWorld::~ShooterWorld() = default;

void ShooterWorld::Update(float& dt) {
    try {
        if (m_ring.IsOn()) {
            m_ring.Advance();
            UpdateWorld(dt);
        }
        UpdateWorld(dt);
        // A campaign's game is recorded up to the end of its first level: a later level
        // begins with the score and ships carried over, which a replay does not hold.
        if (m_session.EndingCued() || m_session.BetweenLevels()) {
            m_recording.End(m_level, m_session);
        }
        if (m_session.NextLevelDue(timeGetTime())) {
            NextLevel();
        }
    } catch (const std::exception& e) {
        LogMessage("Exception found: %s\n", e.what());
    } catch (const std::exception* e) {
        LogMessage("Exception found: %s\n", e ? e->what() : "");
    }
    m_session.UpdateMusic();
    ReloadChangedData();
}

void ShooterWorld::UpdateWorld(float& dt) {
    CEventManager::GetInstance()->Tick();
    CGUI::GetInstance()->Update(dt);
    const bool step = m_level.Player() && !m_session.IsPaused();
    m_recording.BeginUpdate(dt, step);
    if (step) {
        m_ring.NoteSceneChange();
        m_level.Step(dt, &m_session);
    }
    m_recording.EndUpdate(m_level);
}

bool ShooterWorld::LoadLevel(const std::string& fileName) {
    m_ring.NoteSceneChange();
    return m_level.Load(fileName);
}

void ShooterWorld::Restart() {
    m_ring.NoteSceneChange();
    // Playing again ends a game in play: its score and then its replay are kept first.
    m_session.RecordScore();
    m_recording.End(m_level, m_session);
    // A difficulty chosen during the game is played from this one on.
    ChooseDifficulty();
    m_session.Restart();
    m_input.Reset();
    m_recording.Begin(m_level);
}

void ShooterWorld::Continue() {
    if (m_session.ContinueLevel() <= 1) {
        return;
    }
    m_ring.NoteSceneChange();
    m_session.RecordScore();
    // The recording begun at the title (or of a game in play) ends here; none follows.
    m_recording.End(m_level, m_session);
    m_session.Continue();
    m_input.Reset();
}

void ShooterWorld::NextLevel() {
    if (!m_session.BetweenLevels()) {
        return;
    }
    m_ring.NoteSceneChange();
    m_session.EnterNextLevel();
    m_input.Reset();
}
