// Level files: the fuzzed bytes become a level file, its sprites and animations taken from the
// fixed ones registered once under the seed data's names. After LoadLevel the world is set up
// as Init leaves it (explosions from the fixed configuration, listeners), unpaused, and played
// for a scripted run of updates on a hand-set clock: steering, firing in every weapon pattern,
// ring bursts and motion-blur mode on the keys, long clock jumps that bring every enemy in,
// and a frame drawn now and then (the OpenGL calls do nothing without a context). The world is
// reset after each input.

#include <SDL/SDL.h>
#include <tinyxml.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "FuzzData.h"
#include "FuzzHome.h"
#include "FuzzWorld.h"
#include "game/ShooterExplosionManager.h"
#include "world/ShooterWorld.h"

namespace {

const char* const kFile = "fuzz-input.xml";
constexpr int kSteps = 48;
// From this step on the clock jumps this far per update, so enemies far in the level enter.
constexpr int kJumpFrom = 24;
constexpr uint32_t kJump = 10000;

void Key(ShooterWorld* world, Uint8 type, SDLKey key) {
    SDL_Event event{};
    event.type = type;
    event.key.type = type;
    event.key.keysym.sym = key;
    world->HandleSDLEvent(event);
}

// The player's hands: what is pressed or released before the update of that step.
void Play(ShooterWorld* world, int step) {
    switch (step) {
        case 0:
            Key(world, SDL_KEYDOWN, SDLK_SPACE);
            Key(world, SDL_KEYDOWN, SDLK_UP);
            Key(world, SDL_KEYDOWN, SDLK_RIGHT);
            break;
        case 6:
            Key(world, SDL_KEYDOWN, SDLK_3);
            break;
        case 8:
            Key(world, SDL_KEYDOWN, SDLK_m);
            break;
        case 10:
        case 14:
            Key(world, SDL_KEYDOWN, SDLK_n);
            break;
        case 16:
            Key(world, SDL_KEYUP, SDLK_UP);
            Key(world, SDL_KEYDOWN, SDLK_DOWN);
            Key(world, SDL_KEYDOWN, SDLK_4);
            break;
        case 20:
            Key(world, SDL_KEYUP, SDLK_SPACE);
            Key(world, SDL_KEYDOWN, SDLK_2);
            break;
        case 26:
            Key(world, SDL_KEYDOWN, SDLK_SPACE);
            Key(world, SDL_KEYDOWN, SDLK_m);
            break;
        default:
            break;
    }
}

std::unique_ptr<ShooterExplosionManager> FixedExplosions() {
    TiXmlDocument document;
    document.Parse(fuzz::kExplosionXml);
    auto explosions = std::make_unique<ShooterExplosionManager>();
    explosions->Load(TiXmlHandle(document.RootElement()));
    return explosions;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::EnterHome(argc, argv);
    fuzz::RegisterFixedSprites();
    fuzz::RegisterFixedAnimations();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::HomeScope home;
    static fuzz::FixedClock clock(100000);
    clock.Set(100000);
    fuzz::WriteFile(kFile, data, size);
    ShooterWorld* world = ShooterWorld::GetInstance();
    world->Level().SetTime(static_cast<int32_t>(clock.Now()));
    if (world->LoadLevel(kFile)) {
        world->Level().SetExplosions(FixedExplosions());
        fuzz::AddWorldListeners(world);
        world->Session().SetPaused(false);
        for (int step = 0; step < kSteps; ++step) {
            Play(world, step);
            clock.Advance(step < kJumpFrom ? 31 : kJump);
            float dt = 31.0f;
            world->Update(dt);
            if (step % 4 == 0) {
                world->DrawScene();
            }
        }
    }
    fuzz::ResetWorld();
    return 0;
}
