#pragma once
// The settings in effect and where they come from: the data's defaults (config.xml), the
// player's settings file over them, and the command line over both. What the command line
// sets lasts for the run only: a change the player makes is saved over the file's settings,
// never the command line's.

#include <optional>

#include "world/Settings.h"
#include "world/SettingsFile.h"

// What the command line asks for, over the settings file.
struct LaunchOverrides {
    std::optional<bool> fullScreen;
    bool mute = false;
};

class PlayerSettings {
public:
    // file: the settings file's path ("" keeps the settings in memory only).
    explicit PlayerSettings(std::string file = SettingsFile::DefaultPath())
        : m_file(std::move(file)) {}

    void SetOverrides(const LaunchOverrides& overrides) { m_overrides = overrides; }
    // Takes the data's defaults, reads the settings file over them and applies the command
    // line's overrides.
    void Load(const Settings& defaults);
    const Settings& Current() const { return m_current; }
    const Settings& Defaults() const { return m_defaults; }
    // True when the command line asked for silence.
    bool MuteAtStart() const { return m_overrides.mute; }

    // Changes one setting: change is applied to the settings in effect and to the player's,
    // and the file is written when the player's settings differ from before.
    template <typename Edit>
    void Change(Edit change) {
        change(m_current);
        Settings saved = m_saved;
        change(saved);
        if (saved != m_saved) {
            m_saved = saved;
            m_file.Save(m_saved, m_defaults);
        }
    }

private:
    SettingsFile m_file;
    LaunchOverrides m_overrides;
    Settings m_defaults;
    Settings m_saved;    // defaults and the file: what the player chose
    Settings m_current;  // and the command line's overrides: what is in effect
};
