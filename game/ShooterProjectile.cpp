#include "game/ShooterProjectile.h"

ShooterProjectile::ShooterProjectile(const int& damage, const Vector2& position,
                                     const Vector2& direction, const float& speed,
                                     const Vector2& scale, const std::string& /*spriteName*/,
                                     const bool& fromPlayer)
    : m_fromPlayer(fromPlayer),
      m_damage(damage),
      m_position(position),
      m_direction(direction),
      m_scale(scale),
      m_speed(speed) {}

void ShooterProjectile::Update(float& /*dt*/) {}

void ShooterProjectile::Render(bool /*drawBox*/) {}

void ShooterProjectile::SetPosition(const Vector2& p) {
    m_position = p;
}

void ShooterProjectile::UpdateBox() {}
