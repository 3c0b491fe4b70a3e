#pragma once
// Checks the sprite, animation and font set files and fills the game's resource managers
// with what they declare, as the game's start-up does, but without a window: sheets are
// decoded, never uploaded. Then answers the other checkers' questions about the names the
// data uses (unknown sprites, animations, actions and fonts; frames outside a sprite).

#include <string>

#include "tools/check/CheckContext.h"

class CFont;
class CSprite;
class TiXmlElement;

class ResourceChecker {
public:
    explicit ResourceChecker(CheckContext& context) : m_context(context) {}

    void CheckSpriteSet(const std::string& path, const Place& from);
    void CheckAnimationSet(const std::string& path, const Place& from);
    void CheckFontSet(const std::string& path, const Place& from);

    // The sprite of that name; an unknown name is reported at `at` (as the `role` of the
    // user, e.g. "sprite" or "front layer") and yields null.
    const CSprite* UseSprite(const std::string& name, const Place& at,
                             const char* role = "sprite") const;
    // Reports frame when it lies outside the usable sprite.
    void UseFrame(const CSprite* sprite, int frame, const Place& at) const;
    // Reports an unknown animation or action, and keyframes of the action that show frames
    // outside the sprite the user pairs it with (sprite may be null: then only the names).
    void UseAnimation(const std::string& name, const std::string& action, const CSprite* sprite,
                      const Place& at) const;
    // The font of that name; an unknown name is reported and yields null.
    const CFont* UseFont(const std::string& name, const Place& at) const;
    // Reports every character of text that the font has no entry for, once each.
    void UseText(const CFont& font, const std::string& text, const Place& at) const;

private:
    void CheckSprite(const TiXmlElement* element, const std::string& baseDir,
                     const std::string& file);
    // Reads the frame layout with the game's reader; false (reported) when a size the game needs is
    // not positive.
    bool ReadLayout(const TiXmlElement* image, const Place& at, CSprite& sprite);
    // False (reported) when the sheet is smaller than the frame grid.
    bool FitsSheet(const CSprite& sprite, const Place& at);
    bool DecodeSheet(const std::string& path, const Place& at, CSprite& sprite);
    void CheckAnimation(const TiXmlElement* element, const std::string& file);
    void CheckAction(const TiXmlElement* element, const std::string& file);
    void CheckFont(const TiXmlElement* element, const std::string& file);

    CheckContext& m_context;
};
