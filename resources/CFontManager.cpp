#include "resources/CFontManager.h"

#include <tinyxml.h>

#include "core/DataPath.h"
#include "core/Diagnostics.h"
#include "core/Log.h"
#include "core/XmlRead.h"
#include "resources/CFont.h"

CFontManager* CFontManager::GetInstance() {
    static CFontManager* instance = new CFontManager();
    return instance;
}

void CFontManager::LoadFontSet(const std::string& fileName) {
    TiXmlBase::SetCondenseWhiteSpace(true);
    TiXmlDocument document(NormalizeDataPath(fileName).c_str());
    if (!xml::LoadFile(document)) {
        ReportProblem(fileName, document.ErrorRow(),
                      "CFont: Font set file %s is missing or not valid XML (%s)\n",
                      fileName.c_str(), document.ErrorDesc());
        return;
    }
    const TiXmlElement* set = xml::FindSetElement(document, "fontset");
    if (!set) {
        ReportProblem(fileName, 0, "CFont: No <fontset> element in %s\n", fileName.c_str());
        return;
    }
    // A font whose sprite is missing is kept: it draws nothing and measures (0, 0).
    xml::ForEachChild(set, "font", [this](const TiXmlElement* element) {
        auto font = std::make_unique<CFont>();
        font->Load(element);
        m_fonts.push_back(std::move(font));
    });
}

CFont* CFontManager::GetFont(const std::string& name) const {
    for (const auto& font : m_fonts) {
        if (font->m_name == name) {
            return font.get();
        }
    }
    return nullptr;
}

void CFontManager::UnloadAll() {
    m_fonts.clear();
}

void CFontManager::AddFont(CFont* font) {
    m_fonts.emplace_back(font);
}

CFontManager::CFontManager() = default;

CFontManager::~CFontManager() = default;
