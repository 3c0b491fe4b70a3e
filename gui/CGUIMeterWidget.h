#pragma once
// Shows the player's lives, health or points, the best score kept, or the health of the boss in
// play (only while one is), read at every draw: as a row or column of icons (one per "ratio"
// units) or, with a font, as a number aligned left, centred or right on the position.

#include <cstdint>

#include "gui/CGUIStaticImageWidget.h"

class CFont;

class CGUIMeterWidget : public CGUIStaticImageWidget {
public:
    enum Target {
        TargetNone = 0,
        TargetLives = 1,
        TargetHealth = 2,
        TargetPoints = 3,
        TargetBest = 4,
        TargetBoss = 5
    };
    enum Align { AlignLeft = 0, AlignCentre = 1, AlignRight = 2 };

    // The image's attributes, then "vertical", "gap", "ratio", "font", "align" and "target".
    void Load(const TiXmlElement* element) override;
    // Icons or the number; nothing without a target or a player.
    void Render() override;

    // The shown value of the world's player (or the best score, which needs no player, or the
    // boss's health); false for no target, no player, or no boss in play.
    bool ReadValue(int32_t& value) const;
    // Icons for value: value / ratio, truncated; 0 for a negative count or a ratio below 1.
    int32_t IconCount(int32_t value) const;
    // Lower-left corner of icon i: rightwards from the position, or downwards when vertical.
    // Needs the sprite.
    Vector2 IconPosition(int32_t i) const;
    // Where text of the measured size starts so that the position is its left end, its centre
    // or its top-right corner.
    Vector2 TextPosition(const Vector2& textSize) const;

    int32_t m_target = TargetNone;
    int32_t m_align = AlignLeft;
    CFont* m_font = nullptr;  // borrowed from the font manager
    bool m_vertical = false;
    bool m_hasFont = false;
    int32_t m_ratio = 1;
    int32_t m_gap = 0;
    Vector2 m_textSize;  // size of the last number drawn

private:
    void ReadAlign(const TiXmlElement* element);
    void ReadTarget(const TiXmlElement* element);
    void RenderIcons(int32_t value);
    void RenderNumber(int32_t value);
};
