#include "core/ShooterWorld.h"

void ShooterWorld::Init() {
    m_quit = true;
}
