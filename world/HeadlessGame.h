#pragma once
// The rules of the game on the data of the working folder, without a window, sound or
// interface: config.xml's sprite and animation sets (their pixels decided contacts; no
// texture is needed), its explosions and its default level (a campaign's first level). One
// update runs as the world runs it: the commands carried out, the queued game events delivered
// (a lost life, the last one), then a step of the rules. Replays are verified and scripted
// games recorded on it.

#include <string>
#include <vector>

#include "events/IEventListener.h"
#include "game/GameCommand.h"
#include "world/LevelPlay.h"

class HeadlessGame : public IEventListener, public LevelOutcome {
public:
    HeadlessGame();
    ~HeadlessGame() override;
    HeadlessGame(const HeadlessGame&) = delete;
    HeadlessGame& operator=(const HeadlessGame&) = delete;

    // Reads config.xml and the level a game starts with; false with the reason in error when
    // there is no configuration or no playable level with a ship. The game's log is silent
    // meanwhile.
    bool Load(std::string& error);
    LevelPlay& Level() { return m_level; }
    const LevelPlay& Level() const { return m_level; }
    // One world update in two halves, as the world runs it: the commands carried out since
    // the previous update and the queued events delivered; then, unless the game is paused,
    // the rules' step of dt milliseconds.
    void Deliver(const std::vector<GameCommand>& commands);
    void Step(float dt);
    // Every ship is lost, or every enemy is gone.
    bool IsOver() const { return m_level.IsGameOver() || m_cleared; }
    bool IsCleared() const { return m_cleared; }

    bool HandleEvent(IEvent* event) override;
    void LevelCleared() override { m_cleared = true; }

private:
    LevelPlay m_level;
    bool m_cleared = false;
};
