#include "world/SettingsFile.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include "core/Log.h"
#include "core/ReadFileBytes.h"
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "world/SettingsXml.h"

std::string SettingsFile::DefaultPath() {
    const std::string config = platform::EnvironmentValue("XDG_CONFIG_HOME");
    if (!config.empty()) {
        return config + "/glimmerax/settings.xml";
    }
    const std::string applicationData = platform::ApplicationDataFolder();
    if (!applicationData.empty()) {
        return applicationData + "/glimmerax/settings.xml";
    }
    const std::string home = platform::EnvironmentValue("HOME");
    if (!home.empty()) {
        return home + "/.config/glimmerax/settings.xml";
    }
    return "";
}

void SettingsFile::Load(Settings& settings) {
    if (m_path.empty() || !m_files.PathExists(m_path)) {
        return;
    }
    std::vector<unsigned char> bytes;
    ReadFileBytes(m_path, bytes);
    std::string error;
    if (SettingsXml::Read(std::string(bytes.begin(), bytes.end()), m_path, settings, error)) {
        LogMessage("Settings file %s read: master volume %d, music %d, effects %d\n",
                   m_path.c_str(), settings.masterVolume, settings.musicVolume,
                   settings.effectsVolume);
        return;
    }
    const std::string aside = platform::AtomicFile(m_path, m_files).SetAside();
    if (aside.empty()) {
        LogMessage(
            "Settings file %s does not parse (%s) and cannot be set aside: %s; the defaults "
            "are used and it is not overwritten\n",
            m_path.c_str(), error.c_str(), std::strerror(errno));
        // Writing over the unreadable file would lose it: this run keeps its settings in memory.
        m_path.clear();
        m_saveFailureReported = true;
        return;
    }
    LogMessage("Settings file %s does not parse (%s): kept as %s, the defaults are used\n",
               m_path.c_str(), error.c_str(), aside.c_str());
}

bool SettingsFile::Save(const Settings& settings, const Settings& defaults) {
    std::string error;
    if (platform::AtomicFile(m_path, m_files).Save(SettingsXml::Write(settings, defaults), error)) {
        return true;
    }
    if (!m_saveFailureReported) {
        m_saveFailureReported = true;
        LogMessage("Settings are not saved to %s: %s; the game plays on\n", m_path.c_str(),
                   error.c_str());
    }
    return false;
}
