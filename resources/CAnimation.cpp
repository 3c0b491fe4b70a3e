#include "resources/CAnimation.h"

void CAnimation::Load(const TiXmlElement* /*element*/) {}

int32_t CAnimation::GetFrame(const std::string& /*action*/, uint32_t /*time*/,
                             bool /*loop*/) const {
    return -1;
}

uint32_t CAnimation::GetActionLength(const std::string& /*action*/) const {
    return 0;
}
