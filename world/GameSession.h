#pragma once
// The game's flow around the level in play: paused or running, quitting, the levels of a
// campaign and the wait between them, the end of a game (the game-over or level-complete layer
// and its sound), play again, the best scores and the music that fits the game's state. It
// reaches the level in play only through its interface.

#include <cstdint>
#include <memory>
#include <string>

#include "game/Difficulty.h"
#include "game/ScoreBook.h"
#include "game/ScoreFile.h"
#include "game/ScoreTable.h"
#include "world/Campaign.h"
#include "world/LevelPlay.h"

class TiXmlElement;

class GameSession : public LevelOutcome {
public:
    // How a game ends: every ship lost, or every enemy gone.
    enum class Ending { GameOver, LevelComplete };

    explicit GameSession(LevelPlay& level);
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // The layers the game's end shows (config.xml's gameoverlayer and gamecompletelayer).
    void ReadLayers(const TiXmlElement* config);
    const std::string& GameOverLayer() const { return m_gameOverLayer; }
    const std::string& GameCompleteLayer() const { return m_gameCompleteLayer; }
    void SetGameOverLayer(const std::string& layer) { m_gameOverLayer = layer; }
    void SetGameCompleteLayer(const std::string& layer) { m_gameCompleteLayer = layer; }
    // The levels of config.xml's <campaign>; off without one.
    const Campaign& Levels() const { return m_campaign; }
    Campaign& Levels() { return m_campaign; }

    bool IsPaused() const { return m_paused; }
    void SetPaused(bool paused) { m_paused = paused; }
    bool IsQuit() const { return m_quit; }
    void SetQuit(bool quit) { m_quit = quit; }
    // The interface's "pause" command arrived: toggles, and no pause is on its way any more.
    void PauseCommand();
    // P and the gamepad's Start: during play, presses the active layer's "pause" button (as
    // a click would) or, on a layer without one, toggles the paused flag.
    void TogglePause();
    // The window lost the input focus or was minimised: pauses a running game the same way;
    // never resumes.
    void PauseForFocusLoss();

    // The game ends: shows the ending's layer, plays its sound once per game (the level's
    // music is then over) and records the score. A wait between levels ends with it.
    void End(Ending ending);
    // The rules step found the level cleared. When the campaign has a next level that can be
    // played, it is read aside and the wait between levels begins: the campaign's layer shows
    // and the level-complete sound plays. Otherwise the game ends with the level complete; a
    // next level that cannot be played (logged by the level loader) ends the campaign there.
    void LevelCleared() override;
    // Between two levels of a campaign, the next one waiting.
    bool BetweenLevels() const { return m_campaign.IsWaiting(); }
    // The wait has lasted Campaign::kWaitMs at clock reading now, the game running and not
    // lost: the next level is due to start by itself.
    bool NextLevelDue(uint32_t now) const;
    // Between levels, unless the game is lost: the next level starts (LevelPlay::EnterNext)
    // with the interface layer of play, and the log names it; it counts as reached at the
    // difficulty played (kept in the scores file at once). Nothing otherwise.
    void EnterNextLevel();
    // The game-over or level-complete sound has been played.
    bool EndingCued() const { return m_endingCued; }
    void SetEndingCued(bool cued) { m_endingCued = cued; }

    // Play again: records the score of a game in play, reloads the level (a campaign's first)
    // and returns to the state of a fresh start (the interface's default layer, paused).
    void Restart();
    // The campaign level Continue starts, from 1: the furthest reached at the chosen
    // difficulty, or the last level when the campaign is shorter now. 1 (nothing to continue)
    // when the campaign is off, nothing further was reached, or no score is kept (a replay
    // being watched).
    size_t ContinueLevel() const;
    // Continue: records the score of a game in play and starts a fresh game at ContinueLevel,
    // as Start starts one (the active layer's "pause" button is pressed, or the game simply
    // runs): no points, the difficulty's starting ships, full health, the level's start
    // position. A level that cannot be played is logged and the campaign's first level is
    // played. False, changing nothing, when ContinueLevel is 1.
    bool Continue();
    // Shows the active layer's "continue" buttons only while ContinueLevel is beyond 1.
    void OfferContinue();

    // Reads the best scores from their file (ScoreFile::DefaultPath).
    void LoadScores();
    // Enters the ship's points into the best scores and saves them, once per game and only
    // for a game that was played and scored.
    void RecordScore();
    // The rank the score of the game just ended took in the table; -1 when it took none.
    int LastRank() const { return m_lastRank; }
    // Off: no score is entered (a replay being watched). On by default.
    void SetKeepsScores(bool keeps) { m_keepsScores = keeps; }
    // The best scores of the difficulty chosen (SetDifficulty), which the title shows and a
    // game ending enters its score into.
    const ScoreTable& Scores() const { return *m_scores; }
    ScoreTable& Scores() { return *m_scores; }
    // Normal's best scores: the table whose best runs are kept as replays.
    const ScoreTable& NormalScores() { return m_book.Table(Difficulty::kNormal); }
    // The difficulty whose best scores Scores() gives from now on ("normal" at first).
    void SetDifficulty(const std::string& name);
    const std::string& DifficultyName() const { return m_difficulty; }

    // The music the game's state asks for: the title's track until play starts, then the
    // level's, paused with the game, none once the game is over or the level complete.
    void UpdateMusic();

private:
    void BeginWaitForNextLevel();
    // Keeps the campaign's level in play as reached at the difficulty played, and saves it
    // when it is further than before.
    void RecordProgress();
    // The state of a game not yet ended: its score not recorded, its ending not cued.
    void ResetGameState();

    LevelPlay& m_level;
    Campaign m_campaign;
    std::string m_gameOverLayer;
    std::string m_gameCompleteLayer;
    bool m_paused = true;
    bool m_quit = false;
    bool m_pauseQueued = false;  // a pause command is on its way to the world
    bool m_endingCued = false;
    // Every difficulty's table; m_scores points into it at the chosen difficulty's.
    ScoreBook m_book;
    std::string m_difficulty = Difficulty::kNormal;
    ScoreTable* m_scores = nullptr;
    std::unique_ptr<ScoreFile> m_scoreFile;
    bool m_scoreRecorded = false;
    bool m_keepsScores = true;
    int m_lastRank = -1;
};
