#include "core/ShooterWorld.h"

bool ShooterWorld::InitGL() {
    return false;
}

void ShooterWorld::ClearFrameTextures() {}
