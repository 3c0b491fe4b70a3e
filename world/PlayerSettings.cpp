#include "world/PlayerSettings.h"

void PlayerSettings::Load(const Settings& defaults) {
    m_defaults = defaults;
    m_saved = defaults;
    m_file.Load(m_saved);
    m_current = m_saved;
    if (m_overrides.fullScreen) {
        m_current.fullScreen = *m_overrides.fullScreen;
    }
}
