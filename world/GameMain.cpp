#include "world/GameMain.h"

#include <SDL/SDL.h>

#include <cstdint>
#include <cstdlib>

#include "core/CUpdateTimer.h"
#include "core/FramePacer.h"
#include "core/Log.h"
#include "platform/BrowserFrame.h"
#include "platform/Clock.h"
#include "world/ReplayMain.h"
#include "world/ShooterWorld.h"

namespace {

// Frames and updates of the whole run, logged at its end when GLIMMERAX_LOOP_STATS is set
// (the frame-pacing measurement reads them).
struct LoopCounts {
    uint64_t frames = 0;
    uint64_t updates = 0;
};

void PassCounted(ShooterWorld* world, CUpdateTimer& timer, FramePacer& pacer, LoopCounts& counts) {
    if (pacer.IsCapped()) {
        const uint32_t sleep = pacer.SleepBefore(timeGetTime(), timer.GetLast());
        if (sleep > 0) {
            SDL_Delay(sleep);
        }
    }
    float dt = 0.0f;
    if (timer.IsDue(timeGetTime(), dt)) {
        world->Update(dt);
        timer.MarkUpdated(timeGetTime());
        ++counts.updates;
    }
    const uint32_t now = timeGetTime();
    if (pacer.IsFrameDue(now)) {
        world->Render();
        pacer.MarkFrame(now);
        ++counts.frames;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        world->HandleSDLEvent(event);
    }
    platform::YieldToBrowser();
}

}  // namespace

void RunLoopPass(ShooterWorld* world, CUpdateTimer& timer) {
    FramePacer uncapped;
    RunLoopPass(world, timer, uncapped);
}

void RunLoopPass(ShooterWorld* world, CUpdateTimer& timer, FramePacer& pacer) {
    LoopCounts counts;
    PassCounted(world, timer, pacer, counts);
}

int RunGame() {
    ShooterWorld* world = ShooterWorld::GetInstance();
    world->Init();
    CUpdateTimer timer;
    FramePacer pacer(world->Window().PacedFps());
    LoopCounts counts;
    const uint32_t start = timeGetTime();
    while (!world->IsQuit()) {
        // Before the pass, so that the first frame of a layer already shows or hides the offer.
        OfferBestRun(world);
        // The options screen may change the frame cap while the game runs.
        if (pacer.MaxFps() != world->Window().PacedFps()) {
            pacer = FramePacer(world->Window().PacedFps());
        }
        PassCounted(world, timer, pacer, counts);
        WatchRequestedRun(world);
    }
    if (std::getenv("GLIMMERAX_LOOP_STATS")) {
        LogMessage("Loop: %llu frames, %llu updates in %u ms\n",
                   static_cast<unsigned long long>(counts.frames),
                   static_cast<unsigned long long>(counts.updates), timeGetTime() - start);
    }
    world->Shutdown();
    ShooterWorld::DestroyInstance();
    return 1;
}
