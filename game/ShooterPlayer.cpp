#include "game/ShooterPlayer.h"

bool ShooterPlayer::Load(const TiXmlElement* /*element*/) {
    return true;
}

void ShooterPlayer::Update(float& /*dt*/) {}

void ShooterPlayer::Render(bool /*drawBox*/) {}

void ShooterPlayer::Fire() {}

void ShooterPlayer::FireRing() {}

void ShooterPlayer::TakeDamage(int /*amount*/) {}

void ShooterPlayer::Die() {}

void ShooterPlayer::BeginRespawn() {}

void ShooterPlayer::SetPosition(const Vector2& p) {
    m_position = p;
}

void ShooterPlayer::UpdateBox() {}
