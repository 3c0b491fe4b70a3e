#include "game/ShooterPlayer.h"

#include <cmath>

#include "audio/CSoundManager.h"
#include "core/XmlRead.h"
#include "events/CEventManager.h"
#include "events/PlayerDeathEvent.h"
#include "events/PlayerNoMoreLivesEvent.h"
#include "game/ActorResources.h"
#include "game/ActorStage.h"
#include "game/BoxOutline.h"
#include "game/GameTime.h"
#include "game/ShooterCamera.h"
#include "game/ShooterProjectile.h"
#include "resources/CAnimation.h"
#include "resources/CSprite.h"

namespace {

const char* const kWho = "ShooterPlayer";
constexpr int kShotDamage = 40;
constexpr int kFullHealth = 100;
// The view used when the world has no camera.
const Vector2 kDefaultViewSize(1024.0f, 512.0f);

// The fading copies drawn behind a vulnerable ship, back to front.
struct TrailCopy {
    float dx;
    float alpha;
    bool mirrored;
};
constexpr TrailCopy kTrail[] = {
    {80.0f, 0.05f, true}, {50.0f, 0.125f, false}, {25.0f, 0.2f, false}, {10.0f, 0.3f, false}};
// The ship's own slight tilt: radians handed to a degrees API, as the game always drew it.
constexpr float kShipRotation = 0.7853982f;

void QueueOrDrop(IEvent* event) {
    // Without a listener the manager refuses the event and leaves it to us.
    if (!CEventManager::GetInstance()->QueueEvent(event)) {
        delete event;
    }
}

}  // namespace

bool ShooterPlayer::Load(const TiXmlElement* element) {
    xml::ReadXY(xml::RequiredChild(element, "position", kWho), m_position.x, m_position.y);
    m_startPosition = m_position;
    xml::ReadXY(xml::RequiredChild(element, "scale", kWho), m_scale.x, m_scale.y);
    xml::ReadXY(xml::RequiredChild(element, "velocity", kWho), m_velocity.x, m_velocity.y);

    const TiXmlElement* sprite = xml::RequiredChild(element, "sprite", kWho);
    if (sprite) {
        m_sprite = FindLevelSprite(xml::RequiredText(sprite, "name", kWho), sprite, kWho);
        xml::ReadInt(sprite, "frame", m_frame);
    }

    // An animation that does not exist leaves the ship unanimated on its "frame".
    const TiXmlElement* animation = xml::Child(element, "animation");
    if (animation) {
        m_animation =
            FindLevelAnimation(xml::RequiredText(animation, "name", kWho), animation, kWho);
        m_action = xml::RequiredText(animation, "action", kWho);
        m_animated = m_animation != nullptr;
    }

    const TiXmlElement* projectile = xml::RequiredChild(element, "projectile", kWho);
    if (projectile) {
        m_projectileSprite = xml::RequiredText(projectile, "sprite", kWho);
        FindLevelSprite(m_projectileSprite, projectile, kWho);
        xml::ReadFloat(projectile, "speed", m_projectileSpeed);
    }
    UpdateBox();
    return true;
}

void ShooterPlayer::Update(float& dt) {
    if (m_respawning) {
        m_respawnTimer = AdvanceTimer(m_respawnTimer, dt);
        if (m_respawnTimer <= m_respawnTime) {
            return;
        }
        Respawn();
    }
    if (m_dead) {
        return;
    }
    if (m_invulnerable) {
        m_invulnerableTimer = AdvanceTimer(m_invulnerableTimer, dt);
        if (m_invulnerableTimer > m_invulnerableTime) {
            m_invulnerable = false;
        }
    }
    // The box follows the unclamped position; the next movement brings it back in line.
    SetPosition(m_position + m_velocity);
    ClampToView();
    if (m_animated && m_animation) {
        m_animTime = AdvanceTimer(m_animTime, dt);
        m_frame = m_animation->GetFrame(m_action, static_cast<uint32_t>(m_animTime), true);
    }
}

void ShooterPlayer::Respawn() {
    m_respawning = false;
    m_dead = false;
    m_invulnerable = true;
    m_invulnerableTimer = 0;
    m_health = kFullHealth;
    m_position = m_startPosition;
    m_velocity = Vector2();
    CSoundManager::GetInstance()->Cue(SoundCue::ShipReturn);
}

void ShooterPlayer::ClampToView() {
    Vector2 viewMin;
    Vector2 viewSize = kDefaultViewSize;
    const ShooterCamera* camera = ActorStage::Camera();
    if (camera) {
        viewMin = camera->GetPosition();
        viewSize = camera->GetSize();
    }
    const float maxX = viewMin.x + viewSize.x - FrameWidth() * m_scale.x;
    const float maxY = viewMin.y + viewSize.y - FrameHeight() * m_scale.y;
    // Upper limits first, so a view smaller than the ship keeps its bottom-left corner inside.
    if (m_position.x > maxX) {
        m_position.x = maxX;
    }
    if (m_position.x < viewMin.x) {
        m_position.x = viewMin.x;
    }
    if (m_position.y > maxY) {
        m_position.y = maxY;
    }
    if (m_position.y < viewMin.y) {
        m_position.y = viewMin.y;
    }
}

void ShooterPlayer::Render(bool drawBox) {
    if (m_dead) {
        return;
    }
    if (drawBox) {
        DrawBoxOutline(m_box);
    }
    if (!m_sprite) {
        return;
    }
    if (m_invulnerable) {
        if (IsBlinkVisible()) {
            DrawShip();
        }
        return;
    }
    for (const TrailCopy& copy : kTrail) {
        m_sprite->Draw(m_position - Vector2(copy.dx, 0.0f), m_scale, 0.0f,
                       static_cast<uint32_t>(m_frame), copy.mirrored ? 1 : 0, copy.alpha);
    }
    DrawShip();
}

bool ShooterPlayer::IsBlinkVisible() const {
    return (m_invulnerableTimer % 500) % 2 != 0;
}

void ShooterPlayer::DrawShip() const {
    m_sprite->Draw(m_position, m_scale, kShipRotation, static_cast<uint32_t>(m_frame), 0, 1.0f);
}

void ShooterPlayer::Fire() {
    if (m_dead) {
        return;
    }
    const Vector2 s(m_box.right + 3.0f, FrameHeight() * m_scale.y / 2.0f + m_position.y);
    const Vector2 ahead(1.0f, 0.0f);
    const Vector2 up(1.0f, 0.5f);
    const Vector2 down(1.0f, -0.5f);
    switch (m_weaponLevel) {
        case 0:
            Shoot(s, ahead, 0, 1.0);
            break;
        case 1:
            Shoot(s, ahead, 1, 1.5);
            Shoot(s, ahead, -1, 1.5);
            break;
        case 2:
        case 3:
            Shoot(s, ahead, 0, 1.0);
            Shoot(s, up, 1, 1.0);
            Shoot(s, down, -1, 1.0);
            if (m_weaponLevel == 3) {
                Shoot(Vector2(m_box.left - 3.0f, s.y), Vector2(-1.0f, 0.0f), 0, 1.0);
            }
            break;
        default:
            break;
    }
}

void ShooterPlayer::Shoot(const Vector2& at, const Vector2& direction, int side, double divisor) {
    auto* shot = new ShooterProjectile(kShotDamage, at, direction, m_projectileSpeed, m_scale,
                                       m_projectileSprite, true);
    if (side != 0) {
        const int h = shot->m_sprite ? shot->m_sprite->m_frameHeight : 0;
        const float shift = static_cast<float>(h / divisor);
        shot->SetPosition(side > 0 ? at + Vector2(0.0f, shift) : at - Vector2(0.0f, shift));
    }
    ActorStage::Launch(shot);
}

void ShooterPlayer::FireRing() {
    if (m_dead) {
        return;
    }
    CSoundManager::GetInstance()->Cue(SoundCue::RingBurst);
    // 25 shots at 12, 27, ..., 372 degrees: the first and the last fly the same way.
    for (float angle = 12.0f; angle < 373.0f; angle += 15.0f) {
        const double r = angle * 0.01745329238474369;
        const Vector2 direction(static_cast<float>(std::sin(r)), static_cast<float>(std::cos(r)));
        ActorStage::Launch(new ShooterProjectile(kShotDamage, m_position, direction,
                                                 m_projectileSpeed, m_scale, m_projectileSprite,
                                                 true));
    }
}

void ShooterPlayer::TakeDamage(int amount) {
    // A dead ship cannot die again (and lose a second life) before it is back.
    if (m_invulnerable || m_dead) {
        return;
    }
    m_health -= amount;
    if (m_health < 1) {
        Die();
        return;
    }
    CSoundManager::GetInstance()->Cue(SoundCue::ShipHit);
}

void ShooterPlayer::Die() {
    if (m_lives > 0) {
        --m_lives;
        QueueOrDrop(new PlayerDeathEvent());
    } else {
        QueueOrDrop(new PlayerNoMoreLivesEvent());
    }
    m_dead = true;
    CSoundManager::GetInstance()->Cue(SoundCue::ShipDestroyed);
}

void ShooterPlayer::BeginRespawn() {
    m_respawning = true;
    m_respawnTimer = 0;
}

void ShooterPlayer::SetPosition(const Vector2& p) {
    m_position = p;
    UpdateBox();
}

void ShooterPlayer::UpdateBox() {
    m_box.left = m_position.x;
    m_box.right = FrameWidth() * m_scale.x + m_position.x;
    m_box.bottom = m_position.y;
    m_box.top = FrameHeight() * m_scale.y + m_position.y;
}

float ShooterPlayer::FrameWidth() const {
    return m_sprite ? static_cast<float>(m_sprite->m_frameWidth) : 0.0f;
}

float ShooterPlayer::FrameHeight() const {
    return m_sprite ? static_cast<float>(m_sprite->m_frameHeight) : 0.0f;
}
