#pragma once
// A monospaced bitmap font: a sprite whose frames are glyphs, and a character-to-frame table.

#include <memory>
#include <string>
#include <vector>

#include "math/Vector2.h"
#include "resources/CFontEntry.h"
#include "resources/CSprite.h"

class TiXmlElement;

class CFont {
public:
    // Reads one "font" element; false when its sprite does not exist (then no entries are read).
    bool Load(const TiXmlElement* element);
    // Draws text on one line from position (bottom-left of the first glyph); characters without
    // an entry are skipped and take no room. Draws nothing without a sprite.
    void DrawText(std::string text, const Vector2& scale, const Vector2& position) const;
    // (sum of scale.x x glyph width over mapped characters, unscaled glyph height); (0, 0)
    // without a sprite.
    Vector2 MeasureText(const std::string& text, const Vector2& scale) const;

    const std::string& GetName() const { return m_name; }

    std::vector<std::unique_ptr<CFontEntry>> m_entries;
    CSprite* m_sprite = nullptr;  // borrowed from the sprite manager
    std::string m_name;

private:
    const CFontEntry* FindEntry(char c) const;

    // The glyphs of the text being drawn, kept so that drawing allocates only when a text is
    // longer than any before.
    mutable std::vector<CSprite::Placement> m_glyphs;
};
