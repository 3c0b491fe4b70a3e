#include "game/ShooterProjectile.h"

#include <algorithm>
#include <cmath>

#include "game/BoxOutline.h"
#include "game/GameTime.h"
#include "resources/CSprite.h"
#include "resources/CSpriteManager.h"

ShooterProjectile::ShooterProjectile(const int& damage, const Vector2& position,
                                     const Vector2& direction, const float& speed,
                                     const Vector2& scale, const std::string& spriteName,
                                     const bool& fromPlayer)
    : m_fromPlayer(fromPlayer),
      m_damage(damage),
      m_position(position),
      m_direction(direction),
      m_scale(scale),
      m_speed(speed) {
    m_direction.Normalize();
    // An unknown name leaves the shot without a sprite: it flies and ages, but is neither
    // drawn nor hit. Its creator reported the name when it was loaded.
    m_sprite = CSpriteManager::GetInstance()->GetSprite(spriteName);
    UpdateBox();
}

void ShooterProjectile::Update(float& dt) {
    SetPosition(m_position + m_direction * m_speed);
    m_age = AdvanceTimer(m_age, dt);
}

void ShooterProjectile::Render(bool drawBox) {
    if (drawBox) {
        DrawBoxOutline(m_box);
    }
    if (!m_sprite) {
        return;
    }
    m_sprite->Draw(m_position, m_scale, GetRotation(), 0, IsMirrored() ? 1 : 0, 1.0f);
}

float ShooterProjectile::GetRotation() const {
    // Rounding can carry the dot product of a unit vector just past 1; acos needs [-1, 1].
    const float dot = std::clamp(Vector2::Dot(m_direction, Vector2(0.0f, 1.0f)), -1.0f, 1.0f);
    return std::acos(dot);
}

void ShooterProjectile::SetPosition(const Vector2& p) {
    m_position = p;
    UpdateBox();
}

void ShooterProjectile::UpdateBox() {
    const float width = m_sprite ? static_cast<float>(m_sprite->m_frameWidth) : 0.0f;
    const float height = m_sprite ? static_cast<float>(m_sprite->m_frameHeight) : 0.0f;
    m_box.left = m_position.x;
    m_box.right = width * m_scale.x + m_position.x;
    m_box.bottom = m_position.y;
    m_box.top = height * m_scale.y + m_position.y;
}
