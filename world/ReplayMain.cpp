#include "world/ReplayMain.h"

#include <cstdio>
#include <vector>

#include "core/Log.h"
#include "gui/CGUI.h"
#include "world/ReplayCodec.h"
#include "world/ReplayStore.h"
#include "world/ReplayVerifier.h"
#include "world/ReplayWatch.h"
#include "world/ShooterWorld.h"

namespace {

// Reads the replay at path for watching; false with the reason (naming the file) in error.
bool ReadForWatching(const std::string& path, Replay& replay, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReplayStore::ReadWhole(path, bytes)) {
        error = path + ": cannot be read";
        return false;
    }
    if (!ReplayCodec::Decode(bytes.data(), bytes.size(), replay, error)) {
        error = path + ": " + error;
        return false;
    }
    const std::string data = ReplayVerifier::DataDifference(replay);
    if (!data.empty()) {
        error = path + ": " + data;
        return false;
    }
    return true;
}

// The world watches instead of playing: no game of its own is recorded, no score entered.
void SetWatching(ShooterWorld* world, bool watching) {
    world->Recording().SetEnabled(!watching);
    world->Session().SetKeepsScores(!watching);
}

}  // namespace

int VerifyReplay(const std::string& path) {
    std::string message;
    const ReplayVerifier::Verdict verdict = ReplayVerifier::VerifyFile(path, message);
    std::fprintf(verdict == ReplayVerifier::kMatch ? stdout : stderr, "%s\n", message.c_str());
    return verdict;
}

int WatchReplay(const std::string& path) {
    Replay replay;
    std::string error;
    if (!ReadForWatching(path, replay, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return ReplayVerifier::kUnusable;
    }
    ShooterWorld* world = ShooterWorld::GetInstance();
    SetWatching(world, true);
    world->Init();
    if (!world->IsQuit()) {
        ReplayWatch(replay).Run(world);
    }
    world->Shutdown();
    ShooterWorld::DestroyInstance();
    return 0;
}

void WatchRequestedRun(ShooterWorld* world) {
    if (!world->Recording().TakeWatchRequest()) {
        return;
    }
    const ReplayStore* store = world->Recording().Store();
    const std::string path = store ? store->BestRun(world->Session().NormalScores()) : "";
    Replay replay;
    std::string error;
    if (path.empty()) {
        LogMessage("No best run to watch: none is kept\n");
        return;
    }
    if (!ReadForWatching(path, replay, error)) {
        LogMessage("The best run cannot be watched: %s\n", error.c_str());
        return;
    }
    LogMessage("Watching the best run %s\n", path.c_str());
    SetWatching(world, true);
    // A fresh start, whatever the title screen saw: the replay begins where its game began.
    world->Restart();
    ReplayWatch(replay).Run(world);
    world->Recording().SetEnabled(true);
    world->Restart();
    world->Session().SetKeepsScores(true);
}

void OfferBestRun(ShooterWorld* world) {
    CGUI::GetInstance()->ShowButtons(
        "watchbest", world->Recording().HasBestRun(world->Session().NormalScores()));
}
