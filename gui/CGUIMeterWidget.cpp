#include "gui/CGUIMeterWidget.h"

#include <cstring>
#include <string>

#include "core/Log.h"
#include "core/XmlRead.h"
#include "game/ActorStage.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterPlayer.h"
#include "resources/CFont.h"
#include "resources/CFontManager.h"
#include "resources/CSprite.h"

namespace {

bool Is(const char* text, const char* a, const char* b, const char* c = nullptr) {
    return std::strcmp(text, a) == 0 || std::strcmp(text, b) == 0 ||
           (c && std::strcmp(text, c) == 0);
}

}  // namespace

void CGUIMeterWidget::Load(const TiXmlElement* element) {
    LoadImage(element, !xml::OptionalText(element, "font"));
    const char* vertical = xml::OptionalText(element, "vertical");
    m_vertical = vertical && std::strcmp(vertical, "true") == 0;
    xml::ReadInt(element, "gap", m_gap);
    xml::ReadInt(element, "ratio", m_ratio);
    if (m_ratio < 1) {
        LogMessage(
            "CGUIMeterWidget: \"ratio\" %d of meter \"%s\" in %s is below 1: it shows no "
            "icons\n",
            m_ratio, m_name.c_str(), xml::FileOf(element).c_str());
    }
    if (const char* font = xml::OptionalText(element, "font")) {
        ReadAlign(element);
        m_font = CFontManager::GetInstance()->GetFont(font);
        m_hasFont = m_font != nullptr;
        if (!m_font) {
            LogMessage("CGUIMeterWidget: Font not found \"%s\" in %s: meter \"%s\" shows icons\n",
                       font, xml::FileOf(element).c_str(), m_name.c_str());
        }
    }
    ReadTarget(element);
}

void CGUIMeterWidget::ReadAlign(const TiXmlElement* element) {
    const char* align = xml::OptionalText(element, "align");
    if (!align || Is(align, "l", "left")) {
        m_align = AlignLeft;
    } else if (Is(align, "c", "centre", "center")) {
        m_align = AlignCentre;
    } else if (Is(align, "r", "right")) {
        m_align = AlignRight;
    } else {
        LogMessage("CGUIMeterWidget: Unknown \"align\" \"%s\" of meter \"%s\" in %s: left used\n",
                   align, m_name.c_str(), xml::FileOf(element).c_str());
    }
}

void CGUIMeterWidget::ReadTarget(const TiXmlElement* element) {
    const char* target = xml::OptionalText(element, "target");
    if (!target) {
        LogMessage(
            "CGUIMeterWidget: Missing attribute \"target\" of meter \"%s\" in %s: it shows "
            "nothing\n",
            m_name.c_str(), xml::FileOf(element).c_str());
    } else if (Is(target, "health", "h")) {
        m_target = TargetHealth;
    } else if (Is(target, "lives", "l")) {
        m_target = TargetLives;
    } else if (Is(target, "points", "p")) {
        m_target = TargetPoints;
    } else if (std::strcmp(target, "best") == 0) {
        m_target = TargetBest;
    } else if (std::strcmp(target, "boss") == 0) {
        m_target = TargetBoss;
    } else {
        LogMessage(
            "CGUIMeterWidget: Unknown \"target\" \"%s\" of meter \"%s\" in %s: it shows "
            "nothing\n",
            target, m_name.c_str(), xml::FileOf(element).c_str());
    }
}

bool CGUIMeterWidget::ReadValue(int32_t& value) const {
    if (m_target == TargetBest) {
        value = ActorStage::BestScore();
        return ActorStage::Current() != nullptr;
    }
    if (m_target == TargetBoss) {
        const ShooterEnemy* boss = ActorStage::Boss();
        value = boss ? boss->m_health : 0;
        return boss != nullptr;
    }
    const ShooterPlayer* player = ActorStage::Player();
    if (!player) {
        return false;
    }
    switch (m_target) {
        case TargetLives:
            value = player->GetLives();
            return true;
        case TargetHealth:
            value = player->GetHealth();
            return true;
        case TargetPoints:
            value = player->GetPoints();
            return true;
        default:
            return false;
    }
}

int32_t CGUIMeterWidget::IconCount(int32_t value) const {
    if (m_ratio < 1) {
        return 0;
    }
    const int32_t count = value / m_ratio;
    return count > 0 ? count : 0;
}

Vector2 CGUIMeterWidget::IconPosition(int32_t i) const {
    const float index = static_cast<float>(i);
    const float gap = static_cast<float>(m_gap);
    if (m_vertical) {
        const float step = static_cast<float>(m_sprite->GetFrameHeight()) * m_scale.y + gap;
        return Vector2(m_position.x, m_position.y - index * step);
    }
    const float step = static_cast<float>(m_sprite->GetFrameWidth()) * m_scale.x + gap;
    return Vector2(m_position.x + index * step, m_position.y);
}

Vector2 CGUIMeterWidget::TextPosition(const Vector2& textSize) const {
    if (m_align == AlignCentre) {
        return m_position - textSize / 2.0f;
    }
    if (m_align == AlignRight) {
        return m_position - textSize;
    }
    return m_position;
}

void CGUIMeterWidget::Render() {
    int32_t value = 0;
    if (!ReadValue(value)) {
        return;
    }
    if (m_hasFont) {
        RenderNumber(value);
    } else {
        RenderIcons(value);
    }
}

void CGUIMeterWidget::RenderIcons(int32_t value) {
    if (!m_sprite) {
        return;
    }
    const int32_t count = IconCount(value);
    for (int32_t i = 0; i < count; ++i) {
        m_sprite->Draw(IconPosition(i), m_scale, 0.0f, static_cast<uint32_t>(m_frame), 0, 1.0f);
    }
}

void CGUIMeterWidget::RenderNumber(int32_t value) {
    const std::string text = std::to_string(value);
    m_textSize = m_font->MeasureText(text, m_scale);
    m_font->DrawText(text, m_scale, TextPosition(m_textSize));
}
