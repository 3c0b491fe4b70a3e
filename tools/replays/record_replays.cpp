// Records the replays of the default game kept in tests/replays: a game that clears the first
// level, its boss destroyed, and a game that ends with every ship lost. Each is a script of
// key presses played through the input mapping on the rules alone (ScriptedGame), then
// verified, and its length printed. Run it after a deliberate change of the rules or of the
// first level, from the data folder:
//   cd data && ../build/tools/replays/glimmerax-record-replays ../tests/replays
// It ends with 1 when a script no longer ends its game the way it should.

#include <cstdio>
#include <string>
#include <vector>

#include "world/ReplayCodec.h"
#include "world/ReplayStore.h"
#include "world/ReplayVerifier.h"
#include "world/ScriptedGame.h"

namespace {

using Key = ScriptedGame::Key;

constexpr float kDt = 31.0f;
constexpr uint32_t kMaxUpdates = 8000;  // about four minutes
// The first level's boss comes down at 142 s of play (update 4580) and weaves between about
// y 130 and y 420 near the right of the view.
constexpr uint32_t kBossUpdate = 4600;
// Updates of the second down key that bring the ship from the top to about y 240.
constexpr uint32_t kDescentUpdates = 17;
// Fire is pressed anew this often in the boss fight: a lost life lets go of the trigger.
constexpr uint32_t kRefireUpdates = 64;

// Presses key at update `at` and releases it `length` updates later. A script lists its keys
// in the order of their updates.
void Tap(std::vector<Key>& script, uint32_t at, SDLKey key, uint32_t length) {
    script.push_back({at, key, true});
    script.push_back({at + length, key, false});
}

// The ship fires and is pressed down now and then; it loses two ships on the terrain at the
// start and comes back at the top of the view, still pushed upwards by a key let go of
// while it was away (a returning ship starts at rest), without firing: there it lives
// through the waves. When the boss has come it takes the twin shot, fires again, holds left
// against its drift with the view (which holds still for the boss) and holds down, which
// stops the push; S, the other down key, brings it down to about y 240, where the boss's
// weave keeps crossing its line of fire and the boss's shots fade out before they reach the
// left edge. It stays there firing until the boss is destroyed.
std::vector<Key> ClearScript() {
    std::vector<Key> script = {{0, SDLK_SPACE, true}};
    for (uint32_t at = 10; at + 150 < kBossUpdate; at += 150) {
        Tap(script, at, SDLK_DOWN, 60);
    }
    script.push_back({kBossUpdate, SDLK_2, true});
    script.push_back({kBossUpdate, SDLK_2, false});
    script.push_back({kBossUpdate, SDLK_LEFT, true});
    script.push_back({kBossUpdate, SDLK_DOWN, true});
    script.push_back({kBossUpdate, SDLK_s, true});
    bool descending = true;
    for (uint32_t at = kBossUpdate + 1; at < kMaxUpdates; at += kRefireUpdates) {
        if (descending && at > kBossUpdate + kDescentUpdates) {
            script.push_back({kBossUpdate + kDescentUpdates, SDLK_s, false});
            descending = false;
        }
        script.push_back({at, SDLK_SPACE, false});
        script.push_back({at + 1, SDLK_SPACE, true});
    }
    return script;
}

// The strongest weapon, firing all the time, the ship weaving up and down through the
// middle of the view where the enemies fly: every ship is shot down.
std::vector<Key> GameOverScript() {
    std::vector<Key> script = {{0, SDLK_4, true}, {0, SDLK_4, false}, {0, SDLK_SPACE, true}};
    for (uint32_t at = 20; at < kMaxUpdates; at += 80) {
        Tap(script, at, SDLK_UP, 3);
        Tap(script, at + 40, SDLK_DOWN, 3);
    }
    return script;
}

bool Record(const std::string& path, const std::vector<Key>& script, ScriptedGame::Ending wanted) {
    Replay replay;
    ScriptedGame::Ending ending = ScriptedGame::Ending::Unfinished;
    std::string error;
    if (!ScriptedGame::Play(script, kDt, kMaxUpdates, replay, ending, error)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    if (ending != wanted) {
        const char* how = ending == ScriptedGame::Ending::GameOver        ? "game over"
                          : ending == ScriptedGame::Ending::LevelComplete ? "level complete"
                                                                          : "unfinished";
        std::fprintf(stderr,
                     "%s: the script no longer ends its game as it should (%s after %llu "
                     "updates)\n",
                     path.c_str(), how, static_cast<unsigned long long>(replay.UpdateCount()));
        return false;
    }
    ReplayStore store(path.substr(0, path.rfind('/')));
    if (!store.Write(path, ReplayCodec::Encode(replay))) {
        return false;
    }
    std::string message;
    const ReplayVerifier::Verdict verdict = ReplayVerifier::VerifyFile(path, message);
    std::printf("%s\n%s: %llu updates, %.1f s of play\n", message.c_str(), path.c_str(),
                static_cast<unsigned long long>(replay.UpdateCount()),
                replay.UpdateCount() * kDt / 1000.0);
    return verdict == ReplayVerifier::kMatch;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: %s FOLDER (run in the data folder)\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const bool cleared =
        Record(folder + "/clear-level.gxr", ClearScript(), ScriptedGame::Ending::LevelComplete);
    const bool over =
        Record(folder + "/game-over.gxr", GameOverScript(), ScriptedGame::Ending::GameOver);
    return cleared && over ? 0 : 1;
}
