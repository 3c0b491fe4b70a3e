#include "world/GameMain.h"

#include <SDL/SDL.h>

#include "core/CUpdateTimer.h"
#include "core/FramePacer.h"
#include "platform/Clock.h"
#include "world/ShooterWorld.h"

void RunLoopPass(ShooterWorld& world, CUpdateTimer& timer) {
    FramePacer uncapped;
    RunLoopPass(world, timer, uncapped);
}

void RunLoopPass(ShooterWorld& world, CUpdateTimer& timer, FramePacer& pacer) {
    if (pacer.IsCapped()) {
        const uint32_t sleep = pacer.SleepBefore(timeGetTime(), timer.GetLast());
        if (sleep > 0) {
            SDL_Delay(sleep);
        }
    }
    float dt = 0.0f;
    if (timer.IsDue(timeGetTime(), dt)) {
        world.Update(dt);
        timer.MarkUpdated(timeGetTime());
    }
    const uint32_t now = timeGetTime();
    if (pacer.IsFrameDue(now)) {
        world.Render();
        pacer.MarkFrame(now);
    }
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        world.HandleSDLEvent(event);
    }
}

int RunGame() {
    ShooterWorld* world = ShooterWorld::GetInstance();
    world->Init();
    CUpdateTimer timer;
    FramePacer pacer(world->m_maxFps);
    while (!world->IsQuit()) {
        RunLoopPass(*world, timer, pacer);
    }
    world->Shutdown();
    ShooterWorld::DestroyInstance();
    return 1;
}
