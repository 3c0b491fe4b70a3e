#include "gui/CGUIOptionWidget.h"

#include <SDL/SDL.h>

#include <algorithm>
#include <cctype>
#include <cmath>

#include "audio/CSoundManager.h"
#include "core/Log.h"
#include "core/XmlRead.h"
#include "gui/FilledRect.h"
#include "gui/GUIInput.h"
#include "gui/OptionValues.h"
#include "resources/CFont.h"
#include "resources/CFontManager.h"

namespace {

const char* const kWho = "CGUIOptionWidget";

}  // namespace

bool CGUIOptionWidget::KindFromType(const std::string& type, Kind& kind) {
    if (type == "slider") {
        kind = Kind::Slider;
    } else if (type == "toggle") {
        kind = Kind::Toggle;
    } else if (type == "keycapture") {
        kind = Kind::KeyCapture;
    } else {
        return false;
    }
    return true;
}

void CGUIOptionWidget::Load(const TiXmlElement* element) {
    m_name = xml::RequiredText(element, "name", kWho);
    m_option = xml::RequiredText(element, "option", kWho);
    m_label = xml::RequiredText(element, "text", kWho);
    xml::ReadXY(xml::Child(element, "position"), m_position.x, m_position.y);
    xml::ReadFloat(element, "valuex", m_valueX);
    const char* font = xml::OptionalText(element, "font");
    if (!font) {
        xml::RequiredText(element, "font", kWho);
        return;
    }
    m_font = CFontManager::GetInstance()->GetFont(font);
    if (!m_font) {
        LogMessage("%s: Font not found \"%s\" in %s: option \"%s\" is not drawn\n", kWho, font,
                   xml::FileOf(element).c_str(), m_name.c_str());
        return;
    }
    m_height = std::max(1.0f, m_font->MeasureText("A", Vector2(1.0f, 1.0f)).y);
}

Rect CGUIOptionWidget::RowRect() const {
    const float end = m_position.x + m_valueX + kBarWidth + kNumberWidth;
    return Rect(Vector2(m_position.x - 8.0f, m_position.y - 4.0f),
                Vector2(end, m_position.y + m_height + 4.0f));
}

Rect CGUIOptionWidget::BarRect() const {
    const float left = m_position.x + m_valueX;
    return Rect(Vector2(left, m_position.y), Vector2(left + kBarWidth, m_position.y + m_height));
}

std::string CGUIOptionWidget::ValueText() const {
    const OptionValues* values = OptionValues::Current();
    if (m_capturing) {
        return "PRESS A KEY";
    }
    std::string text = values ? values->Text(m_option) : "?";
    // The game's bitmap fonts hold capital letters.
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

void CGUIOptionWidget::Render() {
    if (!m_font) {
        return;
    }
    if (m_focused) {
        FillRect(RowRect(), 0.55f, 0.75f, 1.0f, 0.25f);
    }
    const Vector2 unit(1.0f, 1.0f);
    m_font->DrawText(m_label, unit, m_position);
    Vector2 value(m_position.x + m_valueX, m_position.y);
    if (m_kind == Kind::Slider) {
        const OptionValues* values = OptionValues::Current();
        const int level = values ? std::clamp(values->Level(m_option), 0, 100) : 0;
        const Rect bar = BarRect();
        const float segment = kBarWidth / 10.0f;
        for (int i = 0; i < 10; ++i) {
            const float left = bar.min.x + segment * static_cast<float>(i);
            const bool lit = level >= (i + 1) * 10 - 5;
            FillRect(Rect(Vector2(left + 2.0f, bar.min.y), Vector2(left + segment - 2.0f, bar.max.y)),
                     lit ? 0.45f : 0.15f, lit ? 0.85f : 0.2f, lit ? 1.0f : 0.3f, 1.0f);
        }
        value.x = bar.max.x + 12.0f;
    }
    m_font->DrawText(ValueText(), unit, value);
}

void CGUIOptionWidget::HandleMouse(GUIMouseInput& input) {
    const Vector2 p(static_cast<float>(input.x), static_cast<float>(input.y));
    if (input.kind != 2 || !m_font || !RowRect().Contains(p)) {
        return;
    }
    OptionValues* values = OptionValues::Current();
    const Rect bar = BarRect();
    if (m_kind == Kind::Slider && values && bar.Contains(p)) {
        // The segment clicked sets the level: its right end counts.
        const float share = (p.x - bar.min.x) / kBarWidth;
        values->SetLevel(m_option, static_cast<int>(std::ceil(share * 10.0f)) * 10);
        CSoundManager::GetInstance()->Cue(SoundCue::Button);
        return;
    }
    Activate();
}

void CGUIOptionWidget::Activate() {
    OptionValues* values = OptionValues::Current();
    CSoundManager::GetInstance()->Cue(SoundCue::Button);
    if (m_kind == Kind::Toggle && values) {
        values->Step(m_option, 1);
    } else if (m_kind == Kind::KeyCapture) {
        m_capturing = true;
    }
}

void CGUIOptionWidget::Step(int step) {
    OptionValues* values = OptionValues::Current();
    if (!values || m_kind == Kind::KeyCapture) {
        return;
    }
    values->Step(m_option, m_kind == Kind::Slider ? step * kSliderStep : step);
}

void CGUIOptionWidget::HandleKey(GUIKeyInput& input) {
    if (!m_capturing || input.kind != 1) {
        return;
    }
    m_capturing = false;
    OptionValues* values = OptionValues::Current();
    if (!values) {
        return;
    }
    if (input.button >= 0) {
        values->BindButton(m_option, input.button);
    } else if (input.key != SDLK_ESCAPE && input.key != 0) {
        values->BindKey(m_option, input.key);
    }
}
