#include "tools/check/ResourceChecker.h"

#include <tinyxml.h>

#include <algorithm>
#include <set>

#include "core/XmlRead.h"
#include "resources/CAnimation.h"
#include "resources/CAnimationManager.h"
#include "resources/CFont.h"
#include "resources/CFontManager.h"
#include "resources/CSprite.h"
#include "resources/CSpriteManager.h"

namespace {

std::string FrameRange(const CSprite& sprite) {
    return "sprite " + Quoted(sprite.m_name) + " has frames 0 to " +
           std::to_string(sprite.m_numFrames - 1);
}

// The character as a message shows it: printable ones quoted, others as a byte value.
std::string CharName(char c) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f) {
        return std::string("'") + c + "'";
    }
    return "byte " + std::to_string(byte);
}

}  // namespace

void ResourceChecker::CheckSpriteSet(const std::string& path) {
    // The game's own loader decodes every sheet and reports what it cannot use; the manager
    // of the checker uploads nothing.
    CSpriteManager::GetInstance()->LoadSpriteSet(path);
    std::unique_ptr<TiXmlDocument> document;
    const TiXmlElement* set =
        m_context.ReadLoadedSet(path, DataKind::SpriteSet, "spriteset", document);
    xml::ForEachChild(set, "sprite", [&](const TiXmlElement* sprite) {
        if (sprite->Attribute("name")) {
            m_context.Define(m_context.sprites, "sprite", AttributeText(sprite, "name"),
                             PlaceOf(path, sprite));
        }
    });
}

void ResourceChecker::CheckAnimationSet(const std::string& path) {
    CAnimationManager::GetInstance()->LoadAnimationSet(path);
    std::unique_ptr<TiXmlDocument> document;
    const TiXmlElement* set =
        m_context.ReadLoadedSet(path, DataKind::AnimationSet, "animationset", document);
    xml::ForEachChild(set, "animation",
                      [&](const TiXmlElement* animation) { CheckAnimation(animation, path); });
}

void ResourceChecker::CheckAnimation(const TiXmlElement* element, const std::string& file) {
    const std::string name = AttributeText(element, "name");
    const Place at = PlaceOf(file, element);
    m_context.Define(m_context.animations, "animation", name, at);
    NameTable actions;
    for (const TiXmlElement* action = xml::Child(element, "action"); action;
         action = xml::Next(action, "action")) {
        m_context.Define(actions, "action", AttributeText(action, "name"), PlaceOf(file, action));
        CheckAction(action, file);
        if (!xml::Child(action, "keyframe")) {
            return;  // the game reads no action after this one
        }
    }
}

void ResourceChecker::CheckAction(const TiXmlElement* element, const std::string& file) {
    const std::string name = Quoted(AttributeText(element, "name"));
    const Place at = PlaceOf(file, element);
    int totalTime = 0;
    xml::ReadInt(element, "totaltime", totalTime);
    if (totalTime <= 0) {
        m_context.Error(at, "action " + name + " has length " + std::to_string(totalTime) +
                                ": give it a positive \"totaltime\"");
    }
    int previous = 0;
    bool first = true;
    xml::ForEachChild(element, "keyframe", [&](const TiXmlElement* keyframe) {
        int time = 0;
        xml::ReadInt(keyframe, "time", time);
        const Place keyAt = PlaceOf(file, keyframe);
        if (!first && time < previous) {
            m_context.Error(keyAt, "keyframe at " + std::to_string(time) +
                                       " ms comes after one at " + std::to_string(previous) +
                                       " ms: keyframes must be in rising time");
        }
        if (totalTime > 0 && (time < 0 || time >= totalTime)) {
            m_context.Error(keyAt, "keyframe at " + std::to_string(time) + " ms lies past action " +
                                       name + "'s totaltime of " + std::to_string(totalTime) +
                                       " ms");
        }
        previous = time;
        first = false;
    });
}

void ResourceChecker::CheckFontSet(const std::string& path) {
    CFontManager::GetInstance()->LoadFontSet(path);
    std::unique_ptr<TiXmlDocument> document;
    const TiXmlElement* set = m_context.ReadLoadedSet(path, DataKind::FontSet, "fontset", document);
    xml::ForEachChild(set, "font", [&](const TiXmlElement* font) { CheckFont(font, path); });
}

void ResourceChecker::CheckFont(const TiXmlElement* element, const std::string& file) {
    const std::string name = AttributeText(element, "name");
    const Place at = PlaceOf(file, element);
    m_context.Define(m_context.fonts, "font", name, at);
    // The font loader reports an unknown sprite and entries without a character.
    const CSprite* sprite =
        CSpriteManager::GetInstance()->GetSprite(AttributeText(element, "sprite"));
    std::set<char> seen;
    xml::ForEachChild(element, "entry", [&](const TiXmlElement* entry) {
        const Place entryAt = PlaceOf(file, entry);
        const std::string text = AttributeText(entry, "char");
        if (text.empty()) {
            return;
        }
        if (!seen.insert(text[0]).second) {
            m_context.Error(entryAt, "font " + Quoted(name) + " maps " + CharName(text[0]) +
                                         " again: the game uses only the first entry");
        }
        int frame = 0;
        xml::ReadInt(entry, "frame", frame);
        UseFrame(sprite, frame, entryAt);
    });
}

const CSprite* ResourceChecker::UseSprite(const std::string& name, const Place& at) const {
    const CSprite* sprite = CSpriteManager::GetInstance()->GetSprite(name);
    if (!sprite) {
        m_context.Error(at, "unknown sprite " + Quoted(name) + ": no sprite set defines it");
    }
    return sprite;
}

void ResourceChecker::UseFrame(const CSprite* sprite, int frame, const Place& at) const {
    if (sprite && sprite->m_loaded && (frame < 0 || frame >= sprite->m_numFrames)) {
        m_context.Error(at, "frame " + std::to_string(frame) +
                                " is outside the sprite: " + FrameRange(*sprite));
    }
}

void ResourceChecker::UseAnimation(const std::string& name, const std::string& action,
                                   const CSprite* sprite, const Place& at) const {
    if (!CAnimationManager::GetInstance()->GetAnimation(name)) {
        m_context.Error(at, "unknown animation " + Quoted(name) + ": no animation set defines it");
        return;
    }
    UseAction(name, action, sprite, at);
}

void ResourceChecker::UseAction(const std::string& name, const std::string& action,
                                const CSprite* sprite, const Place& at) const {
    const CAnimation* animation = CAnimationManager::GetInstance()->GetAnimation(name);
    if (!animation) {
        return;
    }
    const auto found =
        std::find_if(animation->m_actions.begin(), animation->m_actions.end(),
                     [&action](const std::unique_ptr<CAction>& a) { return a->m_name == action; });
    if (found == animation->m_actions.end()) {
        m_context.Error(at, "unknown action " + Quoted(action) + " of animation " + Quoted(name));
        return;
    }
    if (!sprite || !sprite->m_loaded) {
        return;
    }
    for (const CKeyframe* key = (*found)->m_firstKeyframe.get(); key; key = key->m_next.get()) {
        if (key->m_frameId < 0 || key->m_frameId >= sprite->m_numFrames) {
            m_context.Error(at, "action " + Quoted(action) + " of animation " + Quoted(name) +
                                    " shows frame " + std::to_string(key->m_frameId) +
                                    ", outside the sprite: " + FrameRange(*sprite));
            return;
        }
    }
}

const CFont* ResourceChecker::UseFont(const std::string& name, const Place& at) const {
    const CFont* font = CFontManager::GetInstance()->GetFont(name);
    if (!font) {
        m_context.Error(at, "unknown font " + Quoted(name) + ": no font set defines it");
    }
    return font;
}

void ResourceChecker::UseText(const CFont& font, const std::string& text, const Place& at) const {
    if (!font.m_sprite) {
        return;  // the font's unknown sprite is reported with the font
    }
    std::set<char> reported;
    for (const char c : text) {
        const bool mapped = std::any_of(
            font.m_entries.begin(), font.m_entries.end(),
            [c](const std::unique_ptr<CFontEntry>& entry) { return entry->m_char == c; });
        if (!mapped && reported.insert(c).second) {
            m_context.Error(at, "font " + Quoted(font.m_name) + " has no " + CharName(c) +
                                    " (used in " + Quoted(text) + "): the game skips it");
        }
    }
}
