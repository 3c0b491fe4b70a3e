#include "game/ShooterEnemy.h"

bool ShooterEnemy::Load(const TiXmlElement* /*element*/) {
    return true;
}

void ShooterEnemy::Update(float& /*dt*/) {}

void ShooterEnemy::Render(bool& /*drawBox*/) {}

void ShooterEnemy::Activate() {}

void ShooterEnemy::Fire() {}

void ShooterEnemy::TakeDamage(int /*amount*/) {}

void ShooterEnemy::Kill() {}

void ShooterEnemy::UpdateBox() {}
