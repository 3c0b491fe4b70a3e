#include "resources/CSpriteManager.h"
#include "resources/CSprite.h"

CSpriteManager* CSpriteManager::GetInstance() {
    static CSpriteManager* instance = new CSpriteManager();
    return instance;
}

void CSpriteManager::LoadSpriteSet(const std::string& /*fileName*/) {}

CSprite* CSpriteManager::GetSprite(const std::string& /*name*/) const {
    return nullptr;
}

void CSpriteManager::UnloadAll() {}

void CSpriteManager::AddSprite(CSprite* sprite) {
    m_groups["default"].emplace_back(sprite);
}

CSpriteManager::CSpriteManager() = default;

CSpriteManager::~CSpriteManager() = default;
