#include "core/ShooterWorld.h"

bool ShooterWorld::LoadLevel(const std::string& /*fileName*/) {
    return false;
}
