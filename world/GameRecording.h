#pragma once
// The world's recording of the games played: each game, from a fresh start to its end (game
// over, level complete, or quitting or playing again while it is in play), becomes last.gxr
// in the replays folder, and a game that enters the best-score table is kept beside it as
// that entry's best run (ReplayStore).

#include <memory>
#include <string>

#include "world/ReplayRecorder.h"
#include "world/ReplayStore.h"

class GameSession;
class ScoreTable;
class LevelPlay;

class GameRecording {
public:
    // The configuration file the rules read, named in every replay's header.
    static constexpr const char* kConfigFile = "config.xml";

    // Off: nothing is recorded (a replay being watched, for one). On by default.
    void SetEnabled(bool enabled);
    // Off while a replay is watched.
    bool IsEnabled() const { return m_enabled; }
    // Where replays go; none are written until a store is set.
    void SetStore(std::unique_ptr<ReplayStore> store) {
        m_store = std::move(store);
        m_bestRunKept = -1;
    }
    // The store set, or null.
    const ReplayStore* Store() const { return m_store.get(); }

    // A fresh start of the level: a new game's recording begins.
    void Begin(const LevelPlay& level);
    void NoteCommand(const GameCommand& command) { m_recorder.NoteCommand(command); }
    void BeginUpdate(float dt, bool stepped) { m_recorder.BeginUpdate(dt, stepped); }
    void EndUpdate(const LevelPlay& level) { m_recorder.EndUpdate(level); }
    // The game ends now: a game that was in play is written (and kept as a best run when the
    // session entered its score in the table); the recording stops either way.
    void End(const LevelPlay& level, const GameSession& session);
    bool IsRecording() const { return m_recorder.IsRecording(); }
    // A best run of table is kept (looked up once after every change of the kept files).
    bool HasBestRun(const ScoreTable& table);
    // The interface asked to watch the best run ("watchbest"); Take answers once per request.
    void RequestWatch() { m_watchRequested = true; }
    bool TakeWatchRequest() {
        const bool requested = m_watchRequested;
        m_watchRequested = false;
        return requested;
    }

private:
    ReplayRecorder m_recorder;
    std::unique_ptr<ReplayStore> m_store;
    bool m_enabled = true;
    bool m_watchRequested = false;
    int m_bestRunKept = -1;  // -1: not looked up since the files last changed
};
