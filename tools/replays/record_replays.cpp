// Records the replays of the default game kept in tests/replays: a game that clears the first
// level and a game that ends with every ship lost. Each is a script of key presses played
// through the input mapping on the rules alone (ScriptedGame), then verified. Run it after a
// deliberate change of the rules, from the data folder:
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
constexpr uint32_t kMaxUpdates = 6000;  // about three minutes

// Presses key at update `at` and releases it `length` updates later.
void Tap(std::vector<Key>& script, uint32_t at, SDLKey key, uint32_t length) {
    script.push_back({at, key, true});
    script.push_back({at + length, key, false});
}

// The ship fires all the time and keeps to the bottom of the view, pressed down again
// now and then: it lives through the level.
std::vector<Key> ClearScript() {
    std::vector<Key> script = {{0, SDLK_SPACE, true}};
    for (uint32_t at = 10; at < kMaxUpdates; at += 150) {
        Tap(script, at, SDLK_DOWN, 60);
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
    std::printf("%s\n", message.c_str());
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
