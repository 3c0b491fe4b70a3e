#include "world/GameMain.h"

#include <SDL/SDL.h>

#include "core/CUpdateTimer.h"
#include "platform/Clock.h"
#include "world/ShooterWorld.h"

void RunLoopPass(ShooterWorld& world, CUpdateTimer& timer) {
    float dt = 0.0f;
    if (timer.IsDue(timeGetTime(), dt)) {
        world.Update(dt);
        timer.MarkUpdated(timeGetTime());
    }
    world.Render();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        world.HandleSDLEvent(event);
    }
}

int RunGame() {
    ShooterWorld* world = ShooterWorld::GetInstance();
    world->Init();
    CUpdateTimer timer;
    while (!world->IsQuit()) {
        RunLoopPass(*world, timer);
    }
    world->Shutdown();
    ShooterWorld::DestroyInstance();
    return 1;
}
