// What players expect around the rules: pause, the game's end, play again, best scores kept on
// disk, and the music of each state.
#include "world/GameSession.h"

#include <algorithm>

#include "audio/CSoundManager.h"
#include "core/Log.h"
#include "core/XmlRead.h"
#include "game/ShooterPlayer.h"
#include "gui/CGUI.h"
#include "gui/CGUILayer.h"
#include "platform/Clock.h"
#include "world/LevelPlay.h"
#include "world/ReplayClock.h"

GameSession::GameSession(LevelPlay& level) : m_level(level) {
    SetDifficulty(m_difficulty);
}

void GameSession::SetDifficulty(const std::string& name) {
    m_difficulty = name;
    m_scores = &m_book.Table(name);
    m_level.SetScoreTable(m_scores);
}

void GameSession::ReadLayers(const TiXmlElement* config) {
    m_gameOverLayer = xml::RequiredText(config, "gameoverlayer", "CEngine");
    m_gameCompleteLayer = xml::RequiredText(config, "gamecompletelayer", "CEngine");
}

void GameSession::PauseCommand() {
    m_paused = !m_paused;
    m_pauseQueued = false;
}

void GameSession::TogglePause() {
    if (!m_level.InPlay()) {
        return;
    }
    if (CGUI::GetInstance()->PressButton("pause")) {
        m_pauseQueued = true;
        return;
    }
    m_paused = !m_paused;
}

void GameSession::PauseForFocusLoss() {
    if (!m_level.InPlay() || m_paused || m_pauseQueued) {
        return;
    }
    TogglePause();
}

void GameSession::End(Ending ending) {
    m_campaign.EndWait();
    const bool over = ending == Ending::GameOver;
    CGUI::GetInstance()->SetActiveLayer(over ? m_gameOverLayer : m_gameCompleteLayer);
    if (!m_endingCued) {
        m_endingCued = true;
        CSoundManager::GetInstance()->Cue(over ? SoundCue::GameOver : SoundCue::LevelComplete);
    }
    RecordScore();
}

void GameSession::LevelCleared() {
    // The rules step tells a cleared level on every step until something changes.
    if (m_campaign.IsWaiting()) {
        return;
    }
    if (m_campaign.HasNext()) {
        if (m_level.PrepareNext(m_campaign.NextFile())) {
            BeginWaitForNextLevel();
            return;
        }
        m_campaign.Stop();
    }
    End(Ending::LevelComplete);
}

void GameSession::BeginWaitForNextLevel() {
    CGUI* gui = CGUI::GetInstance();
    const CGUILayer* playing = gui->GetActiveLayer();
    {
        // The wait is timed outside the rules: a replay of the level meets the same clock
        // readings whether a campaign follows it or not.
        ReplayClock::Outside notTheRules;
        m_campaign.BeginWait(timeGetTime(), playing ? playing->GetName() : std::string());
    }
    gui->SetActiveLayer(m_campaign.Layer());
    CSoundManager::GetInstance()->Cue(SoundCue::LevelComplete);
}

bool GameSession::NextLevelDue(uint32_t now) const {
    return m_campaign.WaitOver(now) && !m_paused && !m_level.IsGameOver();
}

void GameSession::EnterNextLevel() {
    if (!m_campaign.IsWaiting() || m_level.IsGameOver()) {
        return;
    }
    CGUI::GetInstance()->SetActiveLayer(m_campaign.PlayLayer());
    // Nothing is prepared when the level was read anew during the wait: play goes on.
    if (!m_level.EnterNext(timeGetTime())) {
        m_campaign.EndWait();
        return;
    }
    m_campaign.Advance();
    LogMessage("Level %u of %u: %s\n", static_cast<unsigned>(m_campaign.Number()),
               static_cast<unsigned>(m_campaign.Count()), m_level.File().c_str());
    RecordProgress();
}

void GameSession::RecordProgress() {
    if (!m_keepsScores ||
        !m_book.Progress().Reach(m_difficulty, static_cast<int>(m_campaign.Number()))) {
        return;
    }
    if (m_scoreFile) {
        m_scoreFile->Save(m_book);
    }
}

void GameSession::Restart() {
    RecordScore();
    m_campaign.Restart();
    if (m_campaign.IsOn()) {
        m_level.SetFile(m_campaign.FirstLevel());
    }
    m_level.Reload();
    ResetGameState();
    CGUI::GetInstance()->ActivateDefaultLayer();
}

void GameSession::ResetGameState() {
    m_paused = true;
    m_pauseQueued = false;
    m_scoreRecorded = false;
    m_lastRank = -1;
    // A new game may end again: its game-over or level-complete sound is heard anew.
    m_endingCued = false;
}

size_t GameSession::ContinueLevel() const {
    if (!m_campaign.IsOn() || !m_keepsScores) {
        return 1;
    }
    const int reached = m_book.Progress().Reached(m_difficulty);
    return std::min(static_cast<size_t>(reached), m_campaign.Count());
}

bool GameSession::Continue() {
    const size_t number = ContinueLevel();
    if (number <= 1) {
        return false;
    }
    RecordScore();
    m_campaign.StartAt(number);
    m_level.SetFile(m_campaign.File());
    // A level without a ship could never end: it counts as one that cannot be played.
    if (!m_level.Reload() || !m_level.Player()) {
        LogMessage(
            "Continue: level %u of the campaign, %s, cannot be played; the campaign "
            "starts at its first level\n",
            static_cast<unsigned>(number), m_campaign.File().c_str());
        m_campaign.Restart();
        m_level.SetFile(m_campaign.FirstLevel());
        m_level.Reload();
    }
    ResetGameState();
    LogMessage("Continue: level %u of %u at %s: %s\n", static_cast<unsigned>(m_campaign.Number()),
               static_cast<unsigned>(m_campaign.Count()), m_difficulty.c_str(),
               m_level.File().c_str());
    // The game starts as the Start button starts it: its press resumes the game and shows
    // the layer of play.
    if (CGUI::GetInstance()->PressButton("pause")) {
        m_pauseQueued = true;
    } else {
        m_paused = false;
    }
    return true;
}

void GameSession::OfferContinue() {
    CGUI::GetInstance()->ShowButtons("continue", ContinueLevel() > 1);
}

void GameSession::LoadScores() {
    m_scoreFile = std::make_unique<ScoreFile>(ScoreFile::DefaultPath());
    if (m_scoreFile->Path().empty()) {
        LogMessage("Neither XDG_DATA_HOME nor HOME is set: best scores are not kept\n");
    }
    m_scoreFile->Load(m_book);
    // Loading replaced every table.
    SetDifficulty(m_difficulty);
#ifdef __EMSCRIPTEN__
    // The browser's console is the page's only log: it tells the best score found, and each
    // score kept (RecordScore), which the desktop's screens and files show instead.
    if (m_scores->Best() > 0) {
        LogMessage("Best score at %s: %d\n", m_difficulty.c_str(),
                   static_cast<int>(m_scores->Best()));
    }
#endif
}

void GameSession::RecordScore() {
    if (!m_level.InPlay() || m_scoreRecorded || !m_keepsScores) {
        return;
    }
    m_scoreRecorded = true;
    const int32_t points = m_level.Player()->GetPoints();
    // A game that scored nothing has nothing worth remembering.
    m_lastRank = points > 0 ? m_scores->Add(points, ScoreTable::Now()) : -1;
    if (m_lastRank < 0) {
        return;
    }
#ifdef __EMSCRIPTEN__
    LogMessage("Score %d at %s: place %d of the best scores\n", static_cast<int>(points),
               m_difficulty.c_str(), m_lastRank + 1);
#endif
    if (m_scoreFile) {
        m_scoreFile->Save(m_book);
    }
}

void GameSession::UpdateMusic() {
    CSoundManager* sound = CSoundManager::GetInstance();
    if (!sound->IsStarted()) {
        return;
    }
    // The level clock starts at the first update of play.
    if (!m_level.InPlay()) {
        sound->PlayMusic(sound->TitleMusic());
        return;
    }
    sound->PlayMusic(m_endingCued ? std::string() : m_level.Music());
    sound->SetMusicPaused(m_paused);
}
