#include "resources/CAnimationManager.h"
#include "resources/CAnimation.h"

CAnimationManager* CAnimationManager::GetInstance() {
    static CAnimationManager* instance = new CAnimationManager();
    return instance;
}

void CAnimationManager::LoadAnimationSet(const std::string& /*fileName*/) {}

CAnimation* CAnimationManager::GetAnimation(const std::string& /*name*/) const {
    return nullptr;
}

void CAnimationManager::UnloadAll() {}

void CAnimationManager::AddAnimation(CAnimation* animation) {
    m_animations.emplace_back(animation);
}

CAnimationManager::CAnimationManager() = default;

CAnimationManager::~CAnimationManager() = default;
