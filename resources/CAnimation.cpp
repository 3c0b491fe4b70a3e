#include "resources/CAnimation.h"

#include <tinyxml.h>

#include "core/Log.h"
#include "core/XmlRead.h"

namespace {

// Arguments: the action's name, the animation's name.
constexpr char UNKNOWN_ACTION[] = "Action \"%s\" not found in animation \"%s\"\n";

// Appends the "keyframe" children of one "action" element to its chain, in file order.
void ReadKeyframes(const TiXmlElement* element, CAction& action) {
    std::unique_ptr<CKeyframe>* tail = &action.m_firstKeyframe;
    xml::ForEachChild(element, "keyframe", [&tail](const TiXmlElement* keyframeElement) {
        auto keyframe = std::make_unique<CKeyframe>();
        xml::ReadInt(keyframeElement, "frameid", keyframe->m_frameId);
        xml::ReadInt(keyframeElement, "time", keyframe->m_time);
        *tail = std::move(keyframe);
        tail = &(*tail)->m_next;
    });
}

}  // namespace

void CAnimation::Load(const TiXmlElement* element) {
    m_name = xml::RequiredText(element, "name", "CAnimation");
    if (!xml::Child(element, "action")) {
        xml::ReportAt(element, "CAnimation: No actions found for animation \"%s\"\n",
                      m_name.c_str());
        return;
    }
    for (const TiXmlElement* actionElement = xml::Child(element, "action"); actionElement;
         actionElement = xml::Next(actionElement, "action")) {
        auto action = std::make_unique<CAction>();
        action->m_name = xml::RequiredText(actionElement, "name", "CAnimation");
        xml::ReadInt(actionElement, "totaltime", action->m_totalTime);
        if (!xml::Child(actionElement, "keyframe")) {
            // The actions read so far stay; the ones after this are not read.
            xml::ReportAt(actionElement, "CAnimation: No frames found for action \"%s\"\n",
                          action->m_name.c_str());
            return;
        }
        ReadKeyframes(actionElement, *action);
        m_actions.push_back(std::move(action));
    }
}

int32_t CAnimation::GetFrame(const std::string& actionName, uint32_t time, bool loop) const {
    const CAction* action = FindAction(actionName);
    if (!action) {
        // Asked for on every update by whoever names the action: written once, then counted.
        LogRepeating(UNKNOWN_ACTION, actionName.c_str(), m_name.c_str());
        return -1;
    }
    const uint32_t total = static_cast<uint32_t>(action->m_totalTime);
    uint32_t t = time;
    // An action without a length cannot wrap: its clock is taken as it is.
    if (loop && total != 0) {
        t %= total;
    }
    const CKeyframe* keyframe = action->m_firstKeyframe.get();
    if (!keyframe) {
        return -2;
    }
    while (keyframe->m_next) {
        const uint32_t start = static_cast<uint32_t>(keyframe->m_time);
        const uint32_t end = static_cast<uint32_t>(keyframe->m_next->m_time);
        if (start <= t && t < end) {
            return keyframe->m_frameId;
        }
        keyframe = keyframe->m_next.get();
    }
    // A looping action never ends, even one without a length.
    return t < total || (loop && total == 0) ? keyframe->m_frameId : -2;
}

uint32_t CAnimation::GetActionLength(const std::string& actionName) const {
    const CAction* action = FindAction(actionName);
    if (!action) {
        LogMessage(UNKNOWN_ACTION, actionName.c_str(), m_name.c_str());
        return 0;
    }
    return static_cast<uint32_t>(action->m_totalTime);
}

const CAction* CAnimation::FindAction(const std::string& actionName) const {
    for (const auto& action : m_actions) {
        if (action->m_name == actionName) {
            return action.get();
        }
    }
    return nullptr;
}
