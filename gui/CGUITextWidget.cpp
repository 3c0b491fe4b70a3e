#include "gui/CGUITextWidget.h"

#include "core/Log.h"
#include "core/XmlRead.h"
#include "resources/CFont.h"
#include "resources/CFontManager.h"

void CGUITextWidget::Load(const TiXmlElement* element) {
    m_name = xml::RequiredText(element, "name", "CGUITextWidget");
    m_text = xml::RequiredText(element, "text", "CGUITextWidget");
    xml::ReadXY(xml::Child(element, "position"), m_position.x, m_position.y);
    xml::ReadXY(xml::Child(element, "scale"), m_scale.x, m_scale.y);
    const char* font = xml::OptionalText(element, "font");
    if (!font) {
        xml::RequiredText(element, "font", "CGUITextWidget");
        return;
    }
    m_font = CFontManager::GetInstance()->GetFont(font);
    if (!m_font) {
        LogMessage("CGUITextWidget: Font not found \"%s\" in %s: text \"%s\" is not drawn\n", font,
                   xml::FileOf(element).c_str(), m_name.c_str());
    }
}

void CGUITextWidget::Render() {
    if (!m_font) {
        return;
    }
    m_font->DrawText(m_text, m_scale, m_position);
}
