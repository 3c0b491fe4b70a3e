#include "gui/CGUIStaticImageWidget.h"

#include "core/Log.h"
#include "core/XmlRead.h"
#include "gui/CGUIButtonWidget.h"
#include "resources/CAnimation.h"
#include "resources/CAnimationManager.h"
#include "resources/CSprite.h"

void CGUIStaticImageWidget::Load(const TiXmlElement* element) {
    LoadImage(element, true);
    m_oneColour =
        m_sprite && !m_animated && m_sprite->IsOneColour(static_cast<uint32_t>(m_frame), m_colour);
}

void CGUIStaticImageWidget::LoadImage(const TiXmlElement* element, bool spriteRequired) {
    m_name = xml::RequiredText(element, "name", "CGUIStaticImageWidget");
    xml::ReadXY(xml::Child(element, "position"), m_position.x, m_position.y);
    xml::ReadXY(xml::Child(element, "scale"), m_scale.x, m_scale.y);
    if (!spriteRequired && !xml::Child(element, "sprite")) {
        return;
    }
    m_sprite = CGUIButtonWidget::FindSprite(element, "CGUIStaticImageWidget");
    xml::ReadInt(xml::Child(element, "sprite"), "frame", m_frame);
    if (!m_sprite) {
        return;
    }
    const TiXmlElement* animation = xml::Child(element, "animation");
    if (!animation) {
        return;
    }
    m_animated = true;
    const std::string name = xml::RequiredText(animation, "name", "CGUIStaticImageWidget");
    m_action = xml::RequiredText(animation, "action", "CGUIStaticImageWidget");
    m_animation = CAnimationManager::GetInstance()->GetAnimation(name);
    if (!m_animation && !name.empty()) {
        LogMessage(
            "CGUIStaticImageWidget: Animation not found \"%s\" in %s: image \"%s\" stays "
            "still\n",
            name.c_str(), xml::FileOf(element).c_str(), m_name.c_str());
    }
}

void CGUIStaticImageWidget::Update(float& dt) {
    if (!m_animated || !m_animation) {
        return;
    }
    m_animTime = static_cast<int32_t>(static_cast<float>(m_animTime) + dt);
    m_frame = m_animation->GetFrame(m_action, static_cast<uint32_t>(m_animTime), true);
}

void CGUIStaticImageWidget::Render() {
    if (!m_sprite) {
        return;
    }
    if (m_oneColour) {
        m_sprite->DrawOneColour(m_position, m_scale, m_colour);
        return;
    }
    m_sprite->Draw(m_position, m_scale, 0.0f, static_cast<uint32_t>(m_frame), 0, 1.0f);
}
