#include "core/ShooterWorld.h"

void ShooterWorld::Shutdown() {}
