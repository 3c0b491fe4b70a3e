#include "world/ScriptedGame.h"

#include "platform/Clock.h"
#include "world/CommandSink.h"
#include "world/GameRecording.h"
#include "world/HeadlessGame.h"
#include "world/InputMapping.h"
#include "world/ReplayRecorder.h"

namespace {

// The game's clock, standing still within an update.
class StepClock : public platform::IClock {
public:
    StepClock() : m_behind(platform::InstalledClock()) { platform::SetClock(this); }
    ~StepClock() override { platform::SetClock(m_behind); }
    StepClock(const StepClock&) = delete;
    StepClock& operator=(const StepClock&) = delete;
    uint32_t Now() override { return m_now; }
    void Advance(float ms) { m_now += static_cast<uint32_t>(ms); }

private:
    platform::IClock* m_behind;
    uint32_t m_now = ScriptedGame::kStartClock;
};

// The ship's commands go to the recording and the next update, as the world would carry
// them out; the interface and the game flow are not played.
class ScriptSink : public CommandSink {
public:
    explicit ScriptSink(ReplayRecorder& recorder) : m_recorder(recorder) {}
    void Execute(const GameCommand& command) override {
        if (command.IsShipCommand() && command.kind != CommandKind::ToggleBlur) {
            m_recorder.NoteCommand(command);
            pending.push_back(command);
        }
    }
    void ToInterface(int&, int&) const override {}
    std::vector<GameCommand> pending;

private:
    ReplayRecorder& m_recorder;
};

SDL_Event KeyEvent(const ScriptedGame::Key& key) {
    SDL_Event event{};
    event.type = key.down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.keysym.sym = key.key;
    event.key.keysym.mod = KMOD_NONE;
    return event;
}

}  // namespace

bool ScriptedGame::Play(const std::vector<Key>& script, float dt, uint32_t maxUpdates,
                        Replay& replay, Ending& ending, std::string& error) {
    StepClock clock;
    HeadlessGame game;
    if (!game.Load(error)) {
        return false;
    }
    ReplayRecorder recorder;
    recorder.Begin(game.Level(), GameRecording::kConfigFile);
    InputMapping input;
    ScriptSink sink(recorder);
    size_t next = 0;
    for (uint32_t update = 0; update < maxUpdates && !game.IsOver(); ++update) {
        for (; next < script.size() && script[next].update <= update; ++next) {
            input.Handle(KeyEvent(script[next]), sink);
        }
        clock.Advance(dt);
        game.Deliver(sink.pending);
        sink.pending.clear();
        recorder.BeginUpdate(dt, true);
        game.Step(dt);
        recorder.EndUpdate(game.Level());
    }
    ending = game.IsCleared()            ? Ending::LevelComplete
             : game.Level().IsGameOver() ? Ending::GameOver
                                         : Ending::Unfinished;
    replay = recorder.Finish(game.Level());
    return true;
}
