#pragma once
// Checks the sprite, animation and font set files and fills the game's resource managers
// with what they declare through the game's own loaders, as the game's start-up does, but
// without a window: sheets are decoded, never uploaded. Then answers the other checkers' questions
// about the names the data uses (unknown sprites, animations, actions and fonts; frames outside a
// sprite).

#include <string>

#include "tools/check/CheckContext.h"

class CFont;
class CSprite;
class TiXmlElement;

class ResourceChecker {
public:
    explicit ResourceChecker(CheckContext& context) : m_context(context) {}

    // Each runs the game's loader of the set file (which reports the file's problems through
    // the diagnostics), then checks what the game does not: names defined twice, keyframes
    // out of order or past their action, characters mapped twice, frames outside a sprite.
    void CheckSpriteSet(const std::string& path);
    void CheckAnimationSet(const std::string& path);
    void CheckFontSet(const std::string& path);

    // The sprite of that name; an unknown name is reported at `at` and yields null. For the
    // interface, whose loader the checker does not run.
    const CSprite* UseSprite(const std::string& name, const Place& at) const;
    // Reports frame when it lies outside the usable sprite.
    void UseFrame(const CSprite* sprite, int frame, const Place& at) const;
    // Reports an unknown animation, then as UseAction.
    void UseAnimation(const std::string& name, const std::string& action, const CSprite* sprite,
                      const Place& at) const;
    // Reports an unknown action of a known animation, and keyframes of the action that show
    // frames outside the sprite the user pairs it with (sprite may be null: then only the
    // name). An unknown animation is left to whoever loads the user (nothing is reported).
    void UseAction(const std::string& name, const std::string& action, const CSprite* sprite,
                   const Place& at) const;
    // The font of that name; an unknown name is reported and yields null.
    const CFont* UseFont(const std::string& name, const Place& at) const;
    // Reports every character of text that the font has no entry for, once each.
    void UseText(const CFont& font, const std::string& text, const Place& at) const;

private:
    void CheckAnimation(const TiXmlElement* element, const std::string& file);
    void CheckAction(const TiXmlElement* element, const std::string& file);
    void CheckFont(const TiXmlElement* element, const std::string& file);

    CheckContext& m_context;
};
