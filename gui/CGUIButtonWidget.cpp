#include "gui/CGUIButtonWidget.h"

#include "audio/CSoundManager.h"
#include "core/Log.h"
#include "core/XmlRead.h"
#include "events/CEventManager.h"
#include "events/GUIEvent.h"
#include "gui/CGUI.h"
#include "gui/GUIInput.h"
#include "resources/CSprite.h"
#include "resources/CSpriteManager.h"

void CGUIButtonWidget::Load(const TiXmlElement* element) {
    m_name = xml::RequiredText(element, "name", "CGUIButtonWidget");
    if (const char* event = xml::OptionalText(element, "event")) {
        m_eventName = event;
        m_hasEvent = true;
    }
    if (const char* layer = xml::OptionalText(element, "layer")) {
        m_layerName = layer;
        m_hasLayer = true;
    }
    Vector2 position;
    xml::ReadXY(xml::Child(element, "position"), position.x, position.y);

    m_sprite = FindSprite(element, "CGUIButtonWidget");
    if (!m_sprite) {
        return;
    }
    const TiXmlElement* sprite = xml::Child(element, "sprite");
    xml::ReadInt(sprite, "normalFrame", m_normalFrame);
    xml::ReadInt(sprite, "hoverFrame", m_hoverFrame);
    xml::ReadInt(sprite, "depressFrame", m_depressFrame);
    m_frame = m_normalFrame;
    m_rect.min = position;
    m_rect.max = Vector2(position.x + static_cast<float>(m_sprite->GetFrameWidth()),
                         position.y + static_cast<float>(m_sprite->GetFrameHeight()));
}

CSprite* CGUIButtonWidget::FindSprite(const TiXmlElement* widget, const char* who) {
    const TiXmlElement* sprite = xml::RequiredChild(widget, "sprite", who);
    if (!sprite) {
        return nullptr;
    }
    const char* name = xml::OptionalText(sprite, "name");
    if (!name) {
        xml::RequiredText(sprite, "name", who);
        return nullptr;
    }
    CSprite* found = CSpriteManager::GetInstance()->GetSprite(name);
    if (!found) {
        LogMessage("CGUIButtonWidget: Sprite not found \"%s\"\n", name);
    }
    return found;
}

void CGUIButtonWidget::Update(float& /*dt*/) {
    CGUI* gui = CGUI::GetInstance();
    if (m_rect.Contains(gui->GetMousePosition())) {
        m_frame = gui->IsLeftButtonDown() ? m_depressFrame : m_hoverFrame;
    } else {
        m_frame = m_focused ? m_hoverFrame : m_normalFrame;
    }
}

void CGUIButtonWidget::Activate() {
    CSoundManager::GetInstance()->Cue(SoundCue::Button);
    Press();
}

void CGUIButtonWidget::Render() {
    if (!m_sprite) {
        return;
    }
    m_sprite->Draw(m_rect.min, Vector2(1.0f, 1.0f), 0.0f, static_cast<uint32_t>(m_frame), 0, 1.0f);
}

void CGUIButtonWidget::HandleMouse(GUIMouseInput& input) {
    const Vector2 p(static_cast<float>(input.x), static_cast<float>(input.y));
    if (input.kind != 2 || !m_rect.Contains(p)) {
        return;
    }
    CSoundManager::GetInstance()->Cue(SoundCue::Button);
    Press();
}

void CGUIButtonWidget::Press() {
    if (m_hasEvent) {
        GUIEvent* event = new GUIEvent(m_eventName);
        // The manager refuses events nobody listens to; the event is then still ours.
        if (!CEventManager::GetInstance()->QueueEvent(event)) {
            delete event;
        }
    }
    if (m_hasLayer) {
        CGUI::GetInstance()->SetActiveLayer(m_layerName);
    }
}
