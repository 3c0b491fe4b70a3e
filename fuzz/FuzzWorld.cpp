#include "FuzzWorld.h"

#include <tinyxml.h>

#include <memory>

#include "FuzzData.h"
#include "core/XmlRead.h"
#include "events/CEventManager.h"
#include "events/EventType.h"
#include "gui/CGUI.h"
#include "resources/CAnimation.h"
#include "resources/CAnimationManager.h"
#include "resources/CFont.h"
#include "resources/CFontManager.h"
#include "resources/CSprite.h"
#include "resources/CSpriteManager.h"
#include "world/ShooterWorld.h"

namespace fuzz {
namespace {

std::unique_ptr<CSprite> MakeSprite(const SpriteLayout& layout) {
    auto sprite = std::make_unique<CSprite>();
    sprite->m_name = layout.name;
    sprite->m_frameWidth = layout.frameWidth;
    sprite->m_frameHeight = layout.frameHeight;
    sprite->m_columns = layout.columns;
    sprite->m_numFrames = layout.numFrames;
    sprite->m_rows = (layout.numFrames + layout.columns - 1) / layout.columns;
    sprite->m_imageWidth = layout.frameWidth * layout.columns;
    sprite->m_imageHeight = layout.frameHeight * sprite->m_rows;
    sprite->m_pixels.assign(static_cast<size_t>(sprite->m_imageWidth) * sprite->m_imageHeight * 4,
                            255);
    for (int y = 0; y < sprite->m_imageHeight; ++y) {
        for (int x = 0; x < sprite->m_imageWidth; ++x) {
            const bool solid = (x / 4 + y / 4) % 2 == 0;
            sprite->m_pixels[(static_cast<size_t>(y) * sprite->m_imageWidth + x) * 4 + 3] =
                solid ? 255 : 0;
        }
    }
    sprite->m_loaded = true;
    return sprite;
}

// Calls visit with every child element of that name of the root of an XML text.
template <typename Visit>
void ForEachIn(const char* text, const char* name, Visit visit) {
    TiXmlDocument document;
    document.Parse(text);
    xml::ForEachChild(document.RootElement(), name, visit);
}

}  // namespace

void RegisterFixedSprites() {
    for (size_t i = 0; i < kSpriteCount; ++i) {
        CSpriteManager::GetInstance()->AddSprite(MakeSprite(kSprites[i]).release());
    }
}

void RegisterFixedAnimations() {
    ForEachIn(kAnimationSetXml, "animation", [](const TiXmlElement* element) {
        auto animation = std::make_unique<CAnimation>();
        animation->Load(element);
        CAnimationManager::GetInstance()->AddAnimation(animation.release());
    });
}

void RegisterFixedFonts() {
    ForEachIn(kFontSetXml, "font", [](const TiXmlElement* element) {
        auto font = std::make_unique<CFont>();
        font->Load(element);
        CFontManager::GetInstance()->AddFont(font.release());
    });
}

void AddWorldListeners(ShooterWorld* world) {
    CEventManager* events = CEventManager::GetInstance();
    events->AddListener(world, Event_Shooter_Pause);
    events->AddListener(world, Event_Shooter_PlayerDeath);
    events->AddListener(world, Event_Shooter_PlayerNoMoreLives);
    events->AddListener(world, Event_Shooter_GUIEvent);
}

void ResetWorld() {
    ShooterWorld::DestroyInstance();
    CGUI::GetInstance()->UnloadAll();
    CEventManager::GetInstance()->Shutdown();
    CEventManager::DestroyInstance();
    TiXmlBase::SetCondenseWhiteSpace(true);
}

const TiXmlElement* LoadSet(TiXmlDocument& document, const char* set) {
    if (!xml::LoadFile(document)) {
        return nullptr;
    }
    return xml::FindSetElement(document, set);
}

}  // namespace fuzz
