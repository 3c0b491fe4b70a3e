#include "game/ActorResources.h"

#include "core/XmlRead.h"
#include "resources/CAnimationManager.h"
#include "resources/CSpriteManager.h"

CSprite* FindLevelSprite(const std::string& name, const TiXmlElement* element, const char* who) {
    if (name.empty()) {
        return nullptr;
    }
    CSprite* sprite = CSpriteManager::GetInstance()->GetSprite(name);
    if (!sprite) {
        xml::ReportAt(element, "%s: Sprite \"%s\" not found, named in %s\n", who, name.c_str(),
                      xml::FileOf(element).c_str());
    }
    return sprite;
}

CAnimation* FindLevelAnimation(const std::string& name, const TiXmlElement* element,
                               const char* who) {
    if (name.empty()) {
        return nullptr;
    }
    CAnimation* animation = CAnimationManager::GetInstance()->GetAnimation(name);
    if (!animation) {
        xml::ReportAt(element, "%s: Animation \"%s\" not found, named in %s\n", who, name.c_str(),
                      xml::FileOf(element).c_str());
    }
    return animation;
}
