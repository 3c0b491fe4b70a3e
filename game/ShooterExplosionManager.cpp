#include "game/ShooterExplosionManager.h"

#include <tinyxml.h>

#include "core/Diagnostics.h"
#include "core/XmlRead.h"
#include "game/ActorResources.h"
#include "game/GameTime.h"
#include "resources/CAnimation.h"
#include "resources/CSprite.h"

namespace {
const char* const kWho = "ShooterExplosionManager";
}

bool ShooterExplosionManager::Load(const TiXmlHandle& handle) {
    const TiXmlElement* element = handle.ToElement();
    if (!element) {
        ReportProblem("config.xml", 0,
                      "%s: No <explosioncfg> in the configuration: there will be no explosions\n",
                      kWho);
        return true;
    }
    const std::string spriteName = xml::RequiredText(element, "sprite", kWho);
    const std::string animationName = xml::RequiredText(element, "anim", kWho);
    m_action = xml::RequiredText(element, "action", kWho);
    m_sprite = FindLevelSprite(spriteName, element, kWho);
    m_animation = FindLevelAnimation(animationName, element, kWho);
    m_duration = m_animation ? m_animation->GetActionLength(m_action) : 0;
    return true;
}

void ShooterExplosionManager::Spawn(const Vector2& position) {
    // Without both resources, or with an action of no length, there is nothing to show.
    if (!m_sprite || !m_animation || m_duration == 0) {
        return;
    }
    auto explosion = std::make_unique<ShooterExplosion>();
    explosion->m_position = position;
    m_explosions.push_back(std::move(explosion));
}

void ShooterExplosionManager::Update(float& dt) {
    for (size_t i = 0; i < m_explosions.size();) {
        ShooterExplosion& explosion = *m_explosions[i];
        if (explosion.m_time >= m_duration) {
            m_explosions[i].reset();
            m_explosions.erase(m_explosions.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        explosion.m_time = AdvanceTimer(explosion.m_time, dt);
        ++i;
    }
}

void ShooterExplosionManager::Render(bool& /*drawBox*/) {
    if (!m_sprite || !m_animation) {
        return;
    }
    for (const auto& explosion : m_explosions) {
        const int32_t frame = m_animation->GetFrame(m_action, explosion->m_time, false);
        if (frame >= 0) {
            m_sprite->Draw(explosion->m_position, Vector2(1.0f, 1.0f), 0.0f,
                           static_cast<uint32_t>(frame), 0, 1.0f);
        }
    }
}
