#pragma once
// The settings file's text, read and written:
//
//   <settings>
//     <sound master="80" music="100" effects="100" />
//     <video fullscreen="no" scaling="smooth" motionblur="auto" vsync="yes" maxfps="60" />
//     <bind action="fire" key="space" key2="left ctrl" button="0" />
//   </settings>
//
// Every element and attribute is optional; a <bind> gives an action's whole binding (absent
// key2 or button: none). Reading goes over settings that already hold the defaults, so what
// the file leaves out keeps them. An unknown element, attribute or name, or a value out of
// range, is one log line naming the file, and that entry keeps its default.

#include <string>

#include "world/Settings.h"

class TiXmlElement;

class SettingsXml {
public:
    // Reads text (file names it in the log) over settings. False, with the parser's reason in
    // error and settings untouched, when the text is not a <settings> document.
    static bool Read(const std::string& text, const std::string& file, Settings& settings,
                     std::string& error);
    // The text of everything in settings that differs from defaults.
    static std::string Write(const Settings& settings, const Settings& defaults);
    // Only the installed mods turned off, read from text without a word in the log (the data's
    // layers are laid before the settings are read in full); none when text does not parse.
    static std::vector<std::string> ModsOff(const std::string& text);

private:
    explicit SettingsXml(std::string file) : m_file(std::move(file)) {}
    void ReadSound(const TiXmlElement* element, Settings& settings) const;
    void ReadVideo(const TiXmlElement* element, Settings& settings) const;
    void ReadBind(const TiXmlElement* element, KeyBindings& bindings) const;
    void ReadMod(const TiXmlElement* element, std::vector<std::string>& off) const;
    // <game difficulty="...">: any name is taken here; the world checks it against config.xml.
    void ReadGame(const TiXmlElement* element, Settings& settings) const;
    // One log line about an attribute of element; the entry keeps its default.
    void Report(const TiXmlElement* element, const char* attribute, const char* what) const;
    // Reports every attribute of element not in known (a null-terminated list).
    void CheckAttributes(const TiXmlElement* element, const char* const* known) const;
    bool ReadPercent(const TiXmlElement* element, const char* name, int& target) const;
    bool ReadYesNo(const TiXmlElement* element, const char* name, bool& target) const;

    std::string m_file;
};
