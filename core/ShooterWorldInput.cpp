#include "core/ShooterWorld.h"

void ShooterWorld::HandleSDLEvent(SDL_Event& event) {
    if (event.type == SDL_QUIT) {
        m_quit = true;
    }
}
