#include "resources/CFont.h"

#include <tinyxml.h>

#include "core/XmlRead.h"
#include "resources/CSprite.h"
#include "resources/CSpriteManager.h"

bool CFont::Load(const TiXmlElement* element) {
    m_name = xml::RequiredText(element, "name", "CFont");
    const std::string spriteName = xml::RequiredText(element, "sprite", "CFont");
    m_sprite = CSpriteManager::GetInstance()->GetSprite(spriteName);
    if (!m_sprite) {
        xml::ReportAt(element, "CFont: Sprite \"%s\" of font \"%s\" not found (%s)\n",
                      spriteName.c_str(), m_name.c_str(), xml::FileOf(element).c_str());
        return false;
    }
    xml::ForEachChild(element, "entry", [this](const TiXmlElement* entryElement) {
        const char* text = xml::OptionalText(entryElement, "char");
        if (!text || text[0] == '\0') {
            xml::ReportAt(entryElement,
                          "CFont: An entry of font \"%s\" in %s has no \"char\"; it is skipped\n",
                          m_name.c_str(), xml::FileOf(entryElement).c_str());
            return;
        }
        auto entry = std::make_unique<CFontEntry>();
        entry->m_char = text[0];
        xml::ReadInt(entryElement, "frame", entry->m_frame);
        m_entries.push_back(std::move(entry));
    });
    return true;
}

void CFont::DrawText(std::string text, const Vector2& scale, const Vector2& position) const {
    if (!m_sprite) {
        return;
    }
    // One batch for the whole text; the pen moves as glyph-by-glyph drawing moved it.
    const float advance = static_cast<float>(m_sprite->GetFrameWidth());
    Vector2 pen = position;
    std::vector<CSprite::Placement>& glyphs = m_glyphs;
    glyphs.clear();
    for (const char c : text) {
        const CFontEntry* entry = FindEntry(c);
        if (!entry) {
            continue;
        }
        glyphs.push_back({pen, static_cast<uint32_t>(entry->m_frame)});
        pen.x = scale.x * advance + pen.x;
    }
    m_sprite->DrawBatch(glyphs, scale);
}

Vector2 CFont::MeasureText(const std::string& text, const Vector2& scale) const {
    if (!m_sprite) {
        return Vector2();
    }
    const float advance = static_cast<float>(m_sprite->GetFrameWidth());
    float width = 0.0f;
    for (const char c : text) {
        if (FindEntry(c)) {
            width += scale.x * advance;
        }
    }
    return Vector2(width, static_cast<float>(m_sprite->GetFrameHeight()));
}

const CFontEntry* CFont::FindEntry(char c) const {
    for (const auto& entry : m_entries) {
        if (entry->m_char == c) {
            return entry.get();
        }
    }
    return nullptr;
}
