#pragma once
// Pure timing data: named actions, each a sequence of keyframes. Users keep their own clock
// and ask for the frame to show at it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "resources/CAction.h"

class TiXmlElement;

class CAnimation {
public:
    // Reads one "animation" element with its actions and keyframes; problems are logged.
    void Load(const TiXmlElement* element);
    // Frame of action at time (wrapped at the action's length when loop is true); -1 when the
    // action does not exist (logged the first time, then counted: see LogRepeating), -2 when
    // a non-looping action has ended.
    int32_t GetFrame(const std::string& action, uint32_t time, bool loop) const;
    // The action's total time, or 0 (logged) when there is no such action.
    uint32_t GetActionLength(const std::string& action) const;

    const std::string& GetName() const { return m_name; }

    std::string m_name;
    std::vector<std::unique_ptr<CAction>> m_actions;

private:
    // The first action of that name, or null (not logged: the callers log).
    const CAction* FindAction(const std::string& action) const;
};
