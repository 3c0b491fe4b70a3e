#include "world/SettingsXml.h"

#include <tinyxml.h>

#include <algorithm>
#include <cstring>
#include <sstream>

#include "core/Log.h"
#include "core/XmlRead.h"
#include "world/KeyName.h"

namespace {

const char* const kSoundAttributes[] = {"master", "music", "effects", nullptr};
const char* const kVideoAttributes[] = {"fullscreen", "scaling", "motionblur", "vsync",
                                        "maxfps",     nullptr};
const char* const kGameAttributes[] = {"difficulty", nullptr};
const char* const kBindAttributes[] = {"action", "key", "key2", "button", nullptr};
const char* const kModAttributes[] = {"name", "on", nullptr};

// The highest frame cap taken; more is out of range.
constexpr int kMaxFpsLimit = 1000;

// A whole number of the whole text, within [low, high]; false otherwise.
bool ParseWhole(const char* text, int low, int high, int& value) {
    std::istringstream stream(text);
    int read = 0;
    if (!(stream >> read) || !stream.eof() || read < low || read > high) {
        return false;
    }
    value = read;
    return true;
}

const char* YesNo(bool on) { return on ? "yes" : "no"; }

// The <sound> element of the volumes that differ from the defaults.
TiXmlElement* SoundElement(const Settings& settings, const Settings& defaults) {
    auto* sound = new TiXmlElement("sound");
    const char* const names[] = {"master", "music", "effects"};
    const int volumes[] = {settings.masterVolume, settings.musicVolume, settings.effectsVolume};
    const int designed[] = {defaults.masterVolume, defaults.musicVolume, defaults.effectsVolume};
    for (size_t i = 0; i < 3; ++i) {
        if (volumes[i] != designed[i]) {
            sound->SetAttribute(names[i], volumes[i]);
        }
    }
    return sound;
}

// The <video> element of the settings that differ from the defaults.
TiXmlElement* VideoElement(const Settings& settings, const Settings& defaults) {
    auto* video = new TiXmlElement("video");
    if (settings.fullScreen != defaults.fullScreen) {
        video->SetAttribute("fullscreen", YesNo(settings.fullScreen));
    }
    if (settings.scaling != defaults.scaling) {
        video->SetAttribute("scaling", Settings::ScalingName(settings.scaling));
    }
    if (settings.blur != defaults.blur) {
        video->SetAttribute("motionblur", Settings::BlurName(settings.blur));
    }
    if (settings.vsync != defaults.vsync) {
        video->SetAttribute("vsync", YesNo(settings.vsync));
    }
    if (settings.maxFps != defaults.maxFps) {
        video->SetAttribute("maxfps", static_cast<int>(settings.maxFps));
    }
    return video;
}

// A <bind> for every action bound otherwise than by default.
void AppendBinds(TiXmlElement* root, const KeyBindings& bound, const KeyBindings& designed) {
    for (size_t i = 0; i < KeyBindings::kActionCount; ++i) {
        const Action action = KeyBindings::ActionAt(i);
        if (bound.Key(action, 0) == designed.Key(action, 0) &&
            bound.Key(action, 1) == designed.Key(action, 1) &&
            bound.Button(action) == designed.Button(action)) {
            continue;
        }
        auto* bind = new TiXmlElement("bind");
        bind->SetAttribute("action", KeyBindings::ActionName(action));
        bind->SetAttribute("key", KeyName(bound.Key(action, 0)).c_str());
        if (bound.Key(action, 1) != SDLK_UNKNOWN) {
            bind->SetAttribute("key2", KeyName(bound.Key(action, 1)).c_str());
        }
        if (bound.Button(action) >= 0) {
            bind->SetAttribute("button", bound.Button(action));
        }
        root->LinkEndChild(bind);
    }
}

}  // namespace

bool SettingsXml::Read(const std::string& text, const std::string& file, Settings& settings,
                       std::string& error) {
    TiXmlDocument document(file.c_str());
    const TiXmlElement* root =
        xml::ParseText(document, text) ? document.FirstChildElement() : nullptr;
    if (!root || std::strcmp(root->Value(), "settings") != 0) {
        error = document.Error() ? document.ErrorDesc() : "no <settings> element";
        return false;
    }
    Settings read = settings;
    const SettingsXml reader(file);
    for (const TiXmlElement* child = root->FirstChildElement(); child;
         child = child->NextSiblingElement()) {
        const std::string name = child->Value();
        if (name == "sound") {
            reader.ReadSound(child, read);
        } else if (name == "video") {
            reader.ReadVideo(child, read);
        } else if (name == "game") {
            reader.ReadGame(child, read);
        } else if (name == "bind") {
            reader.ReadBind(child, read.bindings);
        } else if (name == "mod") {
            reader.ReadMod(child, read.modsOff);
        } else {
            LogMessage("Settings: unknown element <%s> in %s is ignored\n", name.c_str(),
                       file.c_str());
        }
    }
    settings = read;
    return true;
}

std::vector<std::string> SettingsXml::ModsOff(const std::string& text) {
    TiXmlDocument document;
    const TiXmlElement* root =
        xml::ParseText(document, text) ? document.FirstChildElement("settings") : nullptr;
    std::vector<std::string> off;
    for (const TiXmlElement* mod = root ? root->FirstChildElement("mod") : nullptr; mod;
         mod = mod->NextSiblingElement("mod")) {
        const char* name = mod->Attribute("name");
        const char* on = mod->Attribute("on");
        if (name && on && std::strcmp(on, "no") == 0) {
            off.push_back(name);
        }
    }
    return off;
}

void SettingsXml::ReadMod(const TiXmlElement* element, std::vector<std::string>& off) const {
    CheckAttributes(element, kModAttributes);
    const char* name = element->Attribute("name");
    if (!name || !*name) {
        Report(element, "name", "names no mod");
        return;
    }
    bool on = true;
    if (!ReadYesNo(element, "on", on)) {
        return;
    }
    off.erase(std::remove(off.begin(), off.end(), name), off.end());
    if (!on) {
        off.push_back(name);
        std::sort(off.begin(), off.end());
    }
}

void SettingsXml::Report(const TiXmlElement* element, const char* attribute,
                         const char* what) const {
    const char* value = element->Attribute(attribute);
    LogMessage("Settings: <%s %s=\"%s\"> in %s %s; the default is kept\n", element->Value(),
               attribute, value ? value : "", m_file.c_str(), what);
}

void SettingsXml::CheckAttributes(const TiXmlElement* element, const char* const* known) const {
    for (const TiXmlAttribute* attribute = element->FirstAttribute(); attribute;
         attribute = attribute->Next()) {
        bool found = false;
        for (const char* const* name = known; *name && !found; ++name) {
            found = std::strcmp(*name, attribute->Name()) == 0;
        }
        if (!found) {
            Report(element, attribute->Name(), "is not a setting");
        }
    }
}

bool SettingsXml::ReadPercent(const TiXmlElement* element, const char* name, int& target) const {
    const char* text = element->Attribute(name);
    if (text && !ParseWhole(text, 0, 100, target)) {
        Report(element, name, "is not a whole number from 0 to 100");
        return false;
    }
    return text != nullptr;
}

bool SettingsXml::ReadYesNo(const TiXmlElement* element, const char* name, bool& target) const {
    const char* text = element->Attribute(name);
    if (!text) {
        return false;
    }
    if (std::strcmp(text, "yes") != 0 && std::strcmp(text, "no") != 0) {
        Report(element, name, "is neither \"yes\" nor \"no\"");
        return false;
    }
    target = std::strcmp(text, "yes") == 0;
    return true;
}

void SettingsXml::ReadSound(const TiXmlElement* element, Settings& settings) const {
    CheckAttributes(element, kSoundAttributes);
    ReadPercent(element, "master", settings.masterVolume);
    ReadPercent(element, "music", settings.musicVolume);
    ReadPercent(element, "effects", settings.effectsVolume);
}

void SettingsXml::ReadVideo(const TiXmlElement* element, Settings& settings) const {
    CheckAttributes(element, kVideoAttributes);
    ReadYesNo(element, "fullscreen", settings.fullScreen);
    ReadYesNo(element, "vsync", settings.vsync);
    if (const char* text = element->Attribute("scaling")) {
        if (!Settings::ScalingFromName(text, settings.scaling)) {
            Report(element, "scaling", "is neither \"smooth\" nor \"sharp\"");
        }
    }
    if (const char* text = element->Attribute("motionblur")) {
        if (!Settings::BlurFromName(text, settings.blur)) {
            Report(element, "motionblur", "is not \"auto\", \"accum\" or \"blend\"");
        }
    }
    if (const char* text = element->Attribute("maxfps")) {
        int fps = 0;
        if (ParseWhole(text, 0, kMaxFpsLimit, fps)) {
            settings.maxFps = static_cast<uint32_t>(fps);
        } else {
            Report(element, "maxfps", "is not a whole number from 0 to 1000");
        }
    }
}

void SettingsXml::ReadBind(const TiXmlElement* element, KeyBindings& bindings) const {
    CheckAttributes(element, kBindAttributes);
    Action action = Action::Up;
    const char* name = element->Attribute("action");
    if (!name || !KeyBindings::ActionFromName(name, action)) {
        Report(element, "action", "names no action");
        return;
    }
    SDLKey keys[KeyBindings::kKeysPerAction] = {SDLK_UNKNOWN, SDLK_UNKNOWN};
    const char* const keyAttributes[] = {"key", "key2"};
    for (size_t slot = 0; slot < KeyBindings::kKeysPerAction; ++slot) {
        const char* text = element->Attribute(keyAttributes[slot]);
        if (text && *text && !KeyFromName(text, keys[slot])) {
            Report(element, keyAttributes[slot], "names no key");
            return;
        }
    }
    int button = -1;
    const char* text = element->Attribute("button");
    if (text && !ParseWhole(text, -1, KeyBindings::kMaxButton, button)) {
        Report(element, "button", "is not a pad button from 0 to 31 (or -1 for none)");
        return;
    }
    for (size_t slot = 0; slot < KeyBindings::kKeysPerAction; ++slot) {
        bindings.SetKey(action, slot, keys[slot]);
    }
    bindings.SetButton(action, button);
}

void SettingsXml::ReadGame(const TiXmlElement* element, Settings& settings) const {
    CheckAttributes(element, kGameAttributes);
    if (const char* text = element->Attribute("difficulty")) {
        if (*text) {
            settings.difficulty = text;
        } else {
            Report(element, "difficulty", "names no difficulty");
        }
    }
}

std::string SettingsXml::Write(const Settings& settings, const Settings& defaults) {
    TiXmlDocument document;
    document.LinkEndChild(new TiXmlDeclaration("1.0", "UTF-8", ""));
    auto* root = new TiXmlElement("settings");
    document.LinkEndChild(root);
    for (TiXmlElement* element : {SoundElement(settings, defaults), VideoElement(settings, defaults)}) {
        if (element->FirstAttribute()) {
            root->LinkEndChild(element);
        } else {
            delete element;
        }
    }
    if (settings.difficulty != defaults.difficulty) {
        auto* game = new TiXmlElement("game");
        game->SetAttribute("difficulty", settings.difficulty.c_str());
        root->LinkEndChild(game);
    }
    AppendBinds(root, settings.bindings, defaults.bindings);
    for (const std::string& name : settings.modsOff) {
        auto* mod = new TiXmlElement("mod");
        mod->SetAttribute("name", name.c_str());
        mod->SetAttribute("on", "no");
        root->LinkEndChild(mod);
    }
    TiXmlPrinter printer;
    document.Accept(&printer);
    return printer.Str();
}
