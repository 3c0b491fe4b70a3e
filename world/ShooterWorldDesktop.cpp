// What players expect of a desktop game beyond the designed rules: play again, best scores
// kept on disk, pause on request and when the window loses the focus.
#include "world/ShooterWorld.h"

#include "core/Log.h"
#include "game/ScoreFile.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"
#include "game/ShooterProjectile.h"
#include "gui/CGUI.h"
#include "platform/Clock.h"

void ShooterWorld::LoadScores() {
    m_scoreFile = std::make_unique<ScoreFile>(ScoreFile::DefaultPath());
    if (m_scoreFile->Path().empty()) {
        LogMessage("Neither XDG_DATA_HOME nor HOME is set: best scores are not kept\n");
    }
    m_scoreFile->Load(m_scores);
}

void ShooterWorld::RecordScore() {
    if (!InPlay() || m_scoreRecorded) {
        return;
    }
    m_scoreRecorded = true;
    const int32_t points = m_player->GetPoints();
    // A game that scored nothing has nothing worth remembering.
    if (points <= 0 || m_scores.Add(points, ScoreTable::Now()) < 0) {
        return;
    }
    if (m_scoreFile) {
        m_scoreFile->Save(m_scores);
    }
}

void ShooterWorld::Restart() {
    ++m_sceneChanges;
    RecordScore();
    if (!m_levelFile.empty()) {
        // LoadLevel logs why a file it refuses cannot be played; the level in play then stays.
        LoadLevel(m_levelFile);
    }
    m_projectiles.clear();
    if (m_explosions) {
        m_explosions->m_explosions.clear();
    }
    m_gamepad.Reset();
    m_levelStart = 0;
    m_levelTime = static_cast<int32_t>(timeGetTime());
    m_firing = false;
    m_paused = true;
    m_pauseQueued = false;
    m_scoreRecorded = false;
    // A new game may end again: its game-over or level-complete sound is heard anew.
    m_endingCued = false;
    CGUI::GetInstance()->ActivateDefaultLayer();
}

void ShooterWorld::TogglePause() {
    if (!InPlay()) {
        return;
    }
    if (CGUI::GetInstance()->PressButton("pause")) {
        m_pauseQueued = true;
        return;
    }
    m_paused = !m_paused;
}

void ShooterWorld::PauseForFocusLoss() {
    if (!InPlay() || m_paused || m_pauseQueued) {
        return;
    }
    TogglePause();
}
