#include "resources/CAnimationManager.h"

#include <tinyxml.h>

#include "core/DataPath.h"
#include "core/Diagnostics.h"
#include "core/Log.h"
#include "core/XmlRead.h"
#include "resources/CAnimation.h"

CAnimationManager* CAnimationManager::GetInstance() {
    static CAnimationManager* instance = new CAnimationManager();
    return instance;
}

void CAnimationManager::LoadAnimationSet(const std::string& fileName) {
    TiXmlBase::SetCondenseWhiteSpace(true);
    TiXmlDocument document(NormalizeDataPath(fileName).c_str());
    if (!xml::LoadFile(document)) {
        ReportProblem(fileName, document.ErrorRow(),
                      "CAnimation: Animation set file %s is missing or not valid XML (%s)\n",
                      fileName.c_str(), document.ErrorDesc());
        return;
    }
    const TiXmlElement* set = xml::FindSetElement(document, "animationset");
    if (!set) {
        ReportProblem(fileName, 0, "CAnimation: No <animationset> element in %s\n",
                      fileName.c_str());
        return;
    }
    xml::ForEachChild(set, "animation", [this](const TiXmlElement* element) {
        auto animation = std::make_unique<CAnimation>();
        animation->Load(element);
        m_animations.push_back(std::move(animation));
    });
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
}

void CAnimationManager::AddAnimation(CAnimation* animation) {
    m_animations.emplace_back(animation);
}

CAnimationManager::CAnimationManager() = default;

CAnimationManager::~CAnimationManager() = default;
