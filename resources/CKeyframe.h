#pragma once
// One keyframe of an action: the frame shown from m_time until the next keyframe's time.

#include <cstdint>
#include <memory>

class CKeyframe {
public:
    int32_t m_frameId = 0;
    int32_t m_time = 0;                 // compared as unsigned
    std::unique_ptr<CKeyframe> m_next;  // the rest of the chain
};
