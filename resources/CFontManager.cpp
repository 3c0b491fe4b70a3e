#include "resources/CFontManager.h"
#include "resources/CFont.h"

CFontManager* CFontManager::GetInstance() {
    static CFontManager* instance = new CFontManager();
    return instance;
}

void CFontManager::LoadFontSet(const std::string& /*fileName*/) {}

CFont* CFontManager::GetFont(const std::string& /*name*/) const {
    return nullptr;
}

void CFontManager::UnloadAll() {}

void CFontManager::AddFont(CFont* font) {
    m_fonts.emplace_back(font);
}

CFontManager::CFontManager() = default;

CFontManager::~CFontManager() = default;
