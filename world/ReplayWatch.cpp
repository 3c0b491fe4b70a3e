#include "world/ReplayWatch.h"

#include "core/CUpdateTimer.h"
#include "platform/BrowserFrame.h"
#include "platform/Clock.h"
#include "world/ReplayClock.h"
#include "world/ShooterWorld.h"

void ReplayWatch::Run(ShooterWorld* world) {
    world->Level().SetLastFireTime(m_replay.lastFireTime);
    CUpdateTimer timer;
    ReplayClock clock;
    while (!m_ended && !world->IsQuit()) {
        float dt = 0.0f;
        if (timer.IsDue(timeGetTime(), dt)) {
            for (int i = 0; i < m_speed && !m_paused; ++i) {
                const ReplayUpdate* update = Next();
                if (!update) {
                    break;
                }
                world->PlayUpdate(*update, clock);
            }
            timer.MarkUpdated(timeGetTime());
        }
        world->Render();
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            Handle(event);
            if (event.type == SDL_QUIT) {
                world->Session().SetQuit(true);
            }
        }
        platform::YieldToBrowser();
    }
}

const ReplayUpdate* ReplayWatch::Next() {
    while (m_index < m_replay.updates.size()) {
        const ReplayUpdate& update = m_replay.updates[m_index];
        if (m_repeated < update.repeat) {
            ++m_repeated;
            return &update;
        }
        ++m_index;
        m_repeated = 0;
    }
    return nullptr;
}

void ReplayWatch::Handle(const SDL_Event& event) {
    if (event.type != SDL_KEYDOWN) {
        return;
    }
    switch (event.key.keysym.sym) {
        case SDLK_p:
            m_paused = !m_paused;
            break;
        case SDLK_1:
            m_speed = 1;
            break;
        case SDLK_2:
            m_speed = 2;
            break;
        case SDLK_4:
            m_speed = 4;
            break;
        case SDLK_ESCAPE:
            m_ended = true;
            break;
        default:
            break;
    }
}
