#include "game/ShooterBackground.h"

bool ShooterBackground::Load(const TiXmlElement* /*element*/) {
    return true;
}

void ShooterBackground::Update(float& /*dt*/) {}

void ShooterBackground::Render() {}
