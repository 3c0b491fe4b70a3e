#include "resources/CAnimationManager.h"

#include <tinyxml.h>

#include "core/DataPath.h"
#include "core/Diagnostics.h"
#include "core/Log.h"
#include "core/ProblemCounter.h"
#include "core/XmlRead.h"
#include "resources/CAnimation.h"

CAnimationManager* CAnimationManager::GetInstance() {
    static CAnimationManager* instance = new CAnimationManager();
    return instance;
}

void CAnimationManager::LoadAnimationSet(const std::string& fileName) {
    ReadSet(fileName, false);
}

bool CAnimationManager::ReadSet(const std::string& fileName, bool reload) {
    TiXmlBase::SetCondenseWhiteSpace(true);
    const std::string path = NormalizeDataPath(fileName);
    // Known even when it does not load, so that a fixed file is read again.
    TSetRecord<CAnimation>& record = m_sets[path];
    TiXmlDocument document(path.c_str());
    if (!xml::LoadFile(document)) {
        ReportProblem(fileName, document.ErrorRow(),
                      "CAnimation: Animation set file %s is missing or not valid XML (%s)\n",
                      fileName.c_str(), document.ErrorDesc());
        return false;
    }
    const TiXmlElement* set = xml::FindSetElement(document, "animationset");
    if (!set) {
        ReportProblem(fileName, 0, "CAnimation: No <animationset> element in %s\n",
                      fileName.c_str());
        return false;
    }
    record.BeginReading();
    int kept = 0;
    xml::ForEachChild(set, "animation", [&](const TiXmlElement* element) {
        kept += ReadAnimation(element, record, reload) ? 0 : 1;
    });
    if (reload) {
        for (const std::string& name : record.Unclaimed()) {
            LogMessage("CAnimation: Animation \"%s\" is no longer in %s: it stays as it was\n",
                       name.c_str(), path.c_str());
        }
        LogMessage("CAnimation: Animation set %s read again (%d animation%s left as %s)\n",
                   path.c_str(), kept, kept == 1 ? "" : "s", kept == 1 ? "it was" : "they were");
    }
    return kept == 0;
}

bool CAnimationManager::ReadAnimation(const TiXmlElement* element,
                                      TSetRecord<CAnimation>& record, bool reload) {
    auto fresh = std::make_unique<CAnimation>();
    ProblemCounter problems;
    fresh->Load(element);
    CAnimation* earlier = reload ? record.Claim(fresh->m_name) : nullptr;
    if (!earlier) {
        record.Add(fresh.get());
        m_animations.push_back(std::move(fresh));
        return true;
    }
    if (problems.Count() != 0) {
        return false;
    }
    earlier->m_actions = std::move(fresh->m_actions);
    return true;
}

CAnimation* CAnimationManager::GetAnimation(const std::string& name) const {
    for (const auto& animation : m_animations) {
        if (animation->m_name == name) {
            return animation.get();
        }
    }
    return nullptr;
}

void CAnimationManager::UnloadAll() {
    m_animations.clear();
    m_sets.clear();
}

std::vector<std::string> CAnimationManager::FilesAffectedBy(const std::string& path) const {
    if (m_sets.count(path) != 0) {
        return {path};
    }
    return {};
}

bool CAnimationManager::Reload(const std::string& fileName) {
    return ReadSet(fileName, true);
}

void CAnimationManager::AddAnimation(CAnimation* animation) {
    m_animations.emplace_back(animation);
}

CAnimationManager::CAnimationManager() = default;

CAnimationManager::~CAnimationManager() = default;
