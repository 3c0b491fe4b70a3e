// The player's settings: the data's defaults taken from config.xml, and the settings in
// effect handed to the world's parts.
#include "world/ShooterWorld.h"

#include "audio/CSoundManager.h"
#include "core/Log.h"
#include "core/XmlRead.h"

Settings ShooterWorld::DataDefaults(const TiXmlElement* config) const {
    Settings defaults;
    int volume = 100;
    // A volume out of range was logged by StartSound's reading and counts as 100.
    if (xml::ReadInt(config, "volume", volume) && volume >= 0 && volume <= 100) {
        defaults.masterVolume = volume;
    }
    defaults.vsync = m_window.VSync();
    defaults.maxFps = m_window.MaxFps();
    return defaults;
}

void ShooterWorld::ApplySettings() {
    const Settings& settings = m_settings.Current();
    m_window.SetPacing(settings.vsync, settings.maxFps);
    m_window.SetScaling(settings.scaling);
    CSoundManager::GetInstance()->SetVolumes(settings.masterVolume, settings.musicVolume,
                                             settings.effectsVolume);
    // Automatic keeps the data's choice (motionblur in config.xml) until it is measured.
    if (settings.blur != BlurMethod::Auto) {
        m_ring.SetBlending(settings.blur == BlurMethod::Blending);
    }
    m_input.SetBindings(settings.bindings);
}

void ShooterWorld::ChooseDifficulty() {
    const std::string& name = m_settings.Current().difficulty;
    Difficulty chosen = Difficulty::Find(m_difficulties, name);
    if (chosen.Name() != name && !m_unknownDifficultyReported) {
        m_unknownDifficultyReported = true;
        LogMessage("Settings: difficulty \"%s\" is not defined in config.xml; normal is played\n",
                   name.c_str());
    }
    if (!m_recording.IsEnabled()) {
        chosen = Difficulty();
    }
    m_level.SetDifficulty(chosen);
    m_session.SetDifficulty(chosen.Name());
}
