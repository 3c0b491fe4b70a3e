#include "resources/CAction.h"

CAction::~CAction() {
    while (m_firstKeyframe) {
        m_firstKeyframe = std::move(m_firstKeyframe->m_next);
    }
}
