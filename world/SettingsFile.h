#pragma once
// The player's settings on disk: $XDG_CONFIG_HOME/glimmerax/settings.xml, on Windows
// %APPDATA%/glimmerax/settings.xml, else $HOME/.config/glimmerax/settings.xml. The file holds
// only what differs from the data's defaults, and is written only when a setting changes,
// atomically (platform::AtomicFile). A file that does not parse is kept aside as
// settings.xml.bad (.1, .2, ... when taken) and the defaults are used.

#include <string>

#include "platform/FileOperations.h"
#include "world/Settings.h"

class SettingsFile {
public:
    // The settings file's path; "" when no variable names a folder (an empty one counts as
    // unset).
    static std::string DefaultPath();

    // files: the file calls used, the system's unless a test records them.
    explicit SettingsFile(std::string path,
                          platform::FileOperations& files = platform::FileOperations::System())
        : m_path(std::move(path)), m_files(files) {}
    const std::string& Path() const { return m_path; }

    // Reads the file over settings, which holds the defaults. A missing file changes nothing
    // silently; one that does not parse is set aside with one log line.
    void Load(Settings& settings);
    // Writes what differs from defaults; false (logged once per run) when it cannot.
    bool Save(const Settings& settings, const Settings& defaults);

private:
    std::string m_path;
    platform::FileOperations& m_files;
    bool m_saveFailureReported = false;
};
