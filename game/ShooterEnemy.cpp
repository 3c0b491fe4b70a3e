#include "game/ShooterEnemy.h"

#include "audio/CSoundManager.h"
#include "core/XmlRead.h"
#include "game/ActorResources.h"
#include "game/ActorStage.h"
#include "game/GameTime.h"
#include "game/ShooterBackground.h"
#include "game/ShooterCamera.h"
#include "game/ShooterPlayer.h"
#include "game/ShooterProjectile.h"
#include "platform/Clock.h"
#include "resources/CAnimation.h"
#include "resources/CSprite.h"

namespace {

const char* const kWho = "ShooterEnemy";
constexpr int kShotDamage = 20;
// An oscillating enemy's direction.y is steered back once it passes these limits.
constexpr float kMaxClimb = 2.0f;

}  // namespace

bool ShooterEnemy::ReadBehaviour(const std::string& type, int32_t& behaviour) {
    if (type == "oscillate" || type == "oscillating") {
        behaviour = 1;
    } else if (type == "curve") {
        behaviour = 2;
    } else {
        behaviour = 0;
        return type.empty() || type == "normal";
    }
    return true;
}

bool ShooterEnemy::Load(const TiXmlElement* element) {
    m_name = xml::RequiredText(element, "name", kWho);
    xml::ReadInt(element, "time", m_spawnTime);
    xml::ReadInt(element, "health", m_health);
    LoadBehaviour(xml::RequiredChild(element, "behaviour", kWho));
    LoadProjectile(xml::RequiredChild(element, "projectile", kWho));
    xml::ReadXY(xml::RequiredChild(element, "position", kWho), m_position.x, m_position.y);
    xml::ReadXY(xml::RequiredChild(element, "scale", kWho), m_scale.x, m_scale.y);
    const TiXmlElement* direction = xml::RequiredChild(element, "direction", kWho);
    xml::ReadXY(direction, m_direction.x, m_direction.y);
    m_direction.Normalize();
    xml::ReadFloat(direction, "speed", m_speed);

    const TiXmlElement* sprite = xml::RequiredChild(element, "sprite", kWho);
    if (sprite) {
        m_sprite = FindLevelSprite(xml::RequiredText(sprite, "name", kWho), sprite, kWho);
        xml::ReadInt(sprite, "frame", m_frame);
    }
    // An animation that does not exist leaves the enemy unanimated on its "frame".
    const TiXmlElement* animation = xml::Child(element, "animation");
    if (animation) {
        m_animation =
            FindLevelAnimation(xml::RequiredText(animation, "name", kWho), animation, kWho);
        m_action = xml::RequiredText(animation, "action", kWho);
        m_animated = m_animation != nullptr;
    }
    LoadBoss(element);
    UpdateBox();
    return true;
}

void ShooterEnemy::LoadBoss(const TiXmlElement* element) {
    const TiXmlElement* boss = xml::Child(element, "boss");
    if (!boss) {
        return;
    }
    m_boss = true;
    if (!xml::OptionalText(element, "health")) {
        xml::ReportAt(element, "%s: Boss \"%s\" without health in %s\n", kWho, m_name.c_str(),
                      xml::FileOf(element).c_str());
    }
    m_phases.Load(boss, CurrentPhase());
}

BossPhases::Phase ShooterEnemy::CurrentPhase() const {
    BossPhases::Phase now;
    now.below = m_health;
    now.behaviour = m_behaviour;
    now.turnSpeed = m_turnSpeed;
    now.speed = m_speed;
    now.action = m_action;
    now.fires = m_shoots;
    now.fireDelay = m_fireDelay;
    now.shotSpeed = m_projectileSpeed;
    now.shotSprite = m_projectileSprite;
    now.pattern = m_pattern;
    return now;
}

void ShooterEnemy::EnterPhase(const BossPhases::Phase& phase) {
    m_behaviour = phase.behaviour;
    m_turnSpeed = phase.turnSpeed;
    m_speed = phase.speed;
    m_action = phase.action;
    m_shoots = phase.fires;
    m_fireDelay = phase.fireDelay;
    m_projectileSpeed = phase.shotSpeed;
    m_projectileSprite = phase.shotSprite;
    m_pattern = phase.pattern;
}

void ShooterEnemy::LoadBehaviour(const TiXmlElement* behaviour) {
    if (!behaviour) {
        return;
    }
    const std::string type = xml::RequiredText(behaviour, "type", kWho);
    if (!ReadBehaviour(type, m_behaviour)) {
        // Flown straight, as a normal enemy; the same line as for a boss phase's behaviour.
        xml::ReportAt(behaviour, "ShooterEnemy: Unknown behaviour \"%s\" in %s\n", type.c_str(),
                      xml::FileOf(behaviour).c_str());
    }
    if (m_behaviour != 0) {
        xml::ReadFloat(behaviour, "turnspeed", m_turnSpeed);
    }
}

void ShooterEnemy::LoadProjectile(const TiXmlElement* projectile) {
    if (!projectile) {
        return;
    }
    m_shoots = xml::RequiredText(projectile, "shoots", kWho) == "yes";
    if (!m_shoots) {
        return;
    }
    xml::ReadInt(projectile, "delay", m_fireDelay);
    xml::ReadFloat(projectile, "speed", m_projectileSpeed);
    m_projectileSprite = xml::RequiredText(projectile, "sprite", kWho);
    FindLevelSprite(m_projectileSprite, projectile, kWho);
    m_pattern.Load(projectile);
}

void ShooterEnemy::Update(float& dt) {
    if (FrameWidth() + m_position.x < 0.0f) {
        m_dead = true;
    }
    if (!m_active) {
        return;
    }
    Steer();
    m_position += m_direction * m_speed;
    UpdateBox();
    if (m_animated && m_animation) {
        m_animTime = AdvanceTimer(m_animTime, dt);
        const int32_t frame = m_animation->GetFrame(m_action, m_animTime, true);
        if (frame >= 0 && frame != m_frame) {
            m_frame = frame;
        }
    }
    if (timeGetTime() - m_lastShotTime > static_cast<uint32_t>(m_fireDelay) && m_shoots) {
        Fire();
        m_lastShotTime = timeGetTime();
    }
}

void ShooterEnemy::Steer() {
    if (m_behaviour == 2) {
        m_direction.y += m_turnSpeed;
        return;
    }
    if (m_behaviour != 1) {
        return;
    }
    const float height = FrameHeight();
    const float margin = height * (2.0f - m_turnSpeed);
    const ShooterCamera* camera = ActorStage::Camera();
    const ShooterBackground* background = ActorStage::Background();
    const float viewTop = camera ? camera->GetPosition().y + camera->GetSize().y : 0.0f;
    const float terrainTop = background ? background->GetFrontBox().top : 0.0f;
    if (m_position.y + height > viewTop - margin) {
        m_turningUp = false;
    } else if (m_position.y < terrainTop + margin) {
        m_turningUp = true;
    }
    if (m_turningUp && m_direction.y < kMaxClimb) {
        m_direction.y += m_turnSpeed;
    } else if (!m_turningUp && m_direction.y > -kMaxClimb) {
        m_direction.y -= m_turnSpeed;
    }
}

void ShooterEnemy::Render(bool& /*drawBox*/) {
    if (m_active && m_sprite) {
        m_sprite->Draw(m_position, m_scale, 0.0f, static_cast<uint32_t>(m_frame), 0, 1.0f);
    }
}

void ShooterEnemy::Activate() {
    m_active = true;
    const ShooterCamera* camera = ActorStage::Camera();
    if (camera) {
        m_position += Vector2(camera->GetSize().x + camera->GetPosition().x, 0.0f);
    }
    UpdateBox();
    m_animTime = 0;
}

void ShooterEnemy::Fire() {
    const Vector2 muzzle(m_box.left - FrameWidth() - 10.0f,
                         FrameHeight() * m_scale.y / 2.0f + m_position.y);
    const ShooterPlayer* ship = ActorStage::Player();
    Vector2 target;
    if (ship) {
        const BoundingBox& box = ship->GetBox();
        target = Vector2((box.left + box.right) / 2.0f, (box.bottom + box.top) / 2.0f);
    }
    for (const Vector2& direction : m_pattern.Volley(muzzle, ship != nullptr, target)) {
        ActorStage::Launch(new ShooterProjectile(kShotDamage, muzzle, direction,
                                                 m_projectileSpeed, m_scale, m_projectileSprite,
                                                 false));
    }
    CSoundManager::GetInstance()->Cue(SoundCue::EnemyFire);
}

void ShooterEnemy::TakeDamage(int amount) {
    m_health -= amount;
    for (const BossPhases::Phase* phase : m_phases.Enter(m_health)) {
        EnterPhase(*phase);
    }
    if (m_health < 1) {
        Kill();
    }
}

void ShooterEnemy::Kill() {
    m_dead = true;
    m_destroyed = true;
}

void ShooterEnemy::UpdateBox() {
    m_box.left = m_position.x;
    m_box.right = m_position.x + FrameWidth() * m_scale.x;
    m_box.bottom = m_position.y;
    m_box.top = m_position.y + FrameHeight() * m_scale.y;
}

float ShooterEnemy::FrameWidth() const {
    return m_sprite ? static_cast<float>(m_sprite->m_frameWidth) : 0.0f;
}

float ShooterEnemy::FrameHeight() const {
    return m_sprite ? static_cast<float>(m_sprite->m_frameHeight) : 0.0f;
}
