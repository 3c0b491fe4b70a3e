#include "game/ShooterExplosionManager.h"

bool ShooterExplosionManager::Load(const TiXmlHandle& /*handle*/) {
    return true;
}

void ShooterExplosionManager::Spawn(const Vector2& /*position*/) {}

void ShooterExplosionManager::Update(float& /*dt*/) {}

void ShooterExplosionManager::Render(bool& /*drawBox*/) {}
