#include "resources/CFontManager.h"

#include <tinyxml.h>

#include "core/DataPath.h"
#include "core/Diagnostics.h"
#include "core/Log.h"
#include "core/ProblemCounter.h"
#include "core/XmlRead.h"
#include "resources/CFont.h"

CFontManager* CFontManager::GetInstance() {
    static CFontManager* instance = new CFontManager();
    return instance;
}

void CFontManager::LoadFontSet(const std::string& fileName) {
    ReadSet(fileName, false);
}

bool CFontManager::ReadSet(const std::string& fileName, bool reload) {
    TiXmlBase::SetCondenseWhiteSpace(true);
    const std::string path = NormalizeDataPath(fileName);
    // Known even when it does not load, so that a fixed file is read again.
    TSetRecord<CFont>& record = m_sets[path];
    TiXmlDocument document(path.c_str());
    if (!xml::LoadFile(document)) {
        ReportProblem(fileName, document.ErrorRow(),
                      "CFont: Font set file %s is missing or not valid XML (%s)\n",
                      fileName.c_str(), document.ErrorDesc());
        return false;
    }
    const TiXmlElement* set = xml::FindSetElement(document, "fontset");
    if (!set) {
        ReportProblem(fileName, 0, "CFont: No <fontset> element in %s\n", fileName.c_str());
        return false;
    }
    record.BeginReading();
    int kept = 0;
    xml::ForEachChild(set, "font", [&](const TiXmlElement* element) {
        kept += ReadFont(element, record, reload) ? 0 : 1;
    });
    if (reload) {
        for (const std::string& name : record.Unclaimed()) {
            LogMessage("CFont: Font \"%s\" is no longer in %s: it stays as it was\n",
                       name.c_str(), path.c_str());
        }
        LogMessage("CFont: Font set %s read again (%d font%s left as %s)\n", path.c_str(), kept,
                   kept == 1 ? "" : "s", kept == 1 ? "it was" : "they were");
    }
    return kept == 0;
}

bool CFontManager::ReadFont(const TiXmlElement* element, TSetRecord<CFont>& record,
                            bool reload) {
    auto fresh = std::make_unique<CFont>();
    ProblemCounter problems;
    // A font whose sprite is missing is kept at start-up: it draws nothing and measures
    // (0, 0).
    fresh->Load(element);
    CFont* earlier = reload ? record.Claim(fresh->m_name) : nullptr;
    if (!earlier) {
        record.Add(fresh.get());
        m_fonts.push_back(std::move(fresh));
        return true;
    }
    if (problems.Count() != 0) {
        return false;
    }
    earlier->m_sprite = fresh->m_sprite;
    earlier->m_entries = std::move(fresh->m_entries);
    return true;
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
    m_sets.clear();
}

std::vector<std::string> CFontManager::FilesAffectedBy(const std::string& path) const {
    if (m_sets.count(path) != 0) {
        return {path};
    }
    return {};
}

bool CFontManager::Reload(const std::string& fileName) {
    return ReadSet(fileName, true);
}

void CFontManager::AddFont(CFont* font) {
    m_fonts.emplace_back(font);
}

CFontManager::CFontManager() = default;

CFontManager::~CFontManager() = default;
