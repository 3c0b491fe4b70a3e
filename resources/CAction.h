#pragma once
// A named action of an animation: a chain of keyframes in file order and its total length.

#include <cstdint>
#include <memory>
#include <string>

#include "resources/CKeyframe.h"

class CAction {
public:
    // Releases the chain one keyframe at a time (a long chain must not recurse deeply).
    ~CAction();

    std::string m_name;
    int32_t m_totalTime = 0;  // milliseconds, used as unsigned
    std::unique_ptr<CKeyframe> m_firstKeyframe;
};
