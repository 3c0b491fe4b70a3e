// Start-up: reads config.xml and brings up the window, resources, interface, level,
// explosions and the world's event listeners, in that order.
#include "world/ShooterWorld.h"

#include <tinyxml.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "audio/CSoundManager.h"
#include "audio/SDLMixer.h"
#include "core/DataLayers.h"
#include "core/DataPath.h"
#include "core/Log.h"
#include "core/XmlRead.h"
#include "events/CEventManager.h"
#include "events/EventType.h"
#include "game/ConfigFiles.h"
#include "game/ShooterExplosionManager.h"
#include "gui/CGUI.h"
#include "gui/CGUILayer.h"
#include "platform/Clock.h"
#include "resources/CAnimationManager.h"
#include "resources/CFontManager.h"
#include "resources/CSpriteManager.h"

namespace {

const char* const CONFIG_FILE = "config.xml";

// The game flow switches to these layers by name; one that no layer set defines would
// silently never show. An empty name was already logged as a missing attribute, and a game
// without any interface layer has nothing to show.
void ReportUnknownLayer(const char* role, const std::string& name) {
    const CGUI* gui = CGUI::GetInstance();
    if (!name.empty() && gui->HasLayers() && !gui->HasLayer(name)) {
        LogMessage("CEngine: %s layer \"%s\" is not defined in any layer set\n", role,
                   name.c_str());
    }
}

// With mods active, the first layer shown (the title) names them in a line of small text at
// its top left; without mods nothing is added.
void ShowModNames() {
    const std::vector<std::string> names = DataLayers::Active().ModNames();
    CGUILayer* title = CGUI::GetInstance()->GetActiveLayer();
    if (names.empty() || !title) {
        return;
    }
    std::string text = "MODS:";
    for (const std::string& name : names) {
        text += " " + name;
    }
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    LogMessage("Active mods shown on the title: %s\n", text.c_str());
    TiXmlElement widget("widget");
    widget.SetAttribute("type", "text");
    widget.SetAttribute("name", "mods");
    widget.SetAttribute("text", text.c_str());
    widget.SetAttribute("font", "small");
    TiXmlElement position("position");
    position.SetAttribute("x", 10);
    position.SetAttribute("y", 480);
    widget.InsertEndChild(position);
    TiXmlElement scale("scale");
    scale.SetAttribute("x", 1);
    scale.SetAttribute("y", 1);
    widget.InsertEndChild(scale);
    title->AddWidget(&widget);
}

TiXmlHandle HandleOn(const TiXmlElement* element) {
    return TiXmlHandle(const_cast<TiXmlElement*>(element));
}

// The optional frame pacing: vsync="yes" and maxfps="N" (absent or 0: no cap). A value that
// cannot be used is logged and leaves that setting off.
void ReadPacing(const TiXmlElement* config, bool& vsync, uint32_t& maxFps) {
    if (const char* text = xml::OptionalText(config, "vsync")) {
        vsync = std::strcmp(text, "yes") == 0;
        if (!vsync && std::strcmp(text, "no") != 0) {
            LogMessage("CEngine: \"vsync\" \"%s\" in %s is neither \"yes\" nor \"no\": off\n", text,
                       CONFIG_FILE);
        }
    }
    if (!xml::OptionalText(config, "maxfps")) {
        return;
    }
    int value = 0;
    if (!xml::ReadInt(config, "maxfps", value) || value < 0) {
        LogMessage("CEngine: \"maxfps\" \"%s\" in %s is not a whole number of 0 or more: no cap\n",
                   xml::OptionalText(config, "maxfps"), CONFIG_FILE);
        return;
    }
    maxFps = static_cast<uint32_t>(value);
}

}  // namespace

void ShooterWorld::Init() {
    m_problems.Install();
    TiXmlDocument document(CONFIG_FILE);
    // A file that does not parse may still leave a partial tree behind: it is not used.
    const TiXmlElement* config =
        xml::LoadFile(document) ? document.FirstChildElement("config") : nullptr;
    if (!config) {
        // Nothing can be configured without it: the game ends.
        LogMessage("<config> xml definition not found in: config.xml\n");
        m_session.SetQuit(true);
        return;
    }
    ReadConfig(config);
    m_settings.Load(DataDefaults(config));
    ApplySettings();
    if (!InitGL() && !SDL_GetVideoSurface()) {
        // No window: nothing can be shown and no key can end the loop.
        m_session.SetQuit(true);
        return;
    }
    LoadResourceSets(config);
    StartSound(config);
    CGUI::GetInstance()->Load(HandleOn(xml::RequiredChild(config, "guicfg", "CEngine")));
    ShowModNames();
    ReportUnknownLayer("Game-over", m_session.GameOverLayer());
    ReportUnknownLayer("Game-complete", m_session.GameCompleteLayer());
    if (m_session.Levels().Count() > 1) {
        ReportUnknownLayer("Next-level", m_session.Levels().Layer());
    }
    m_level.SetTime(static_cast<int32_t>(timeGetTime()));
    ChooseDifficulty();
    LoadFirstLevel(config);
    // The explosion manager reports a missing "explosioncfg" itself.
    auto explosions = std::make_unique<ShooterExplosionManager>();
    explosions->Load(HandleOn(xml::Child(config, "explosioncfg")));
    m_level.SetExplosions(std::move(explosions));

    CEventManager* events = CEventManager::GetInstance();
    events->AddListener(this, Event_Shooter_Pause);
    events->AddListener(this, Event_Shooter_PlayerDeath);
    events->AddListener(this, Event_Shooter_PlayerNoMoreLives);
    events->AddListener(this, Event_Shooter_GUIEvent);
    m_session.LoadScores();
    m_input.Open();
    m_recording.SetStore(std::make_unique<ReplayStore>(ReplayStore::DefaultFolder()));
    m_recording.Begin(m_level);
    if (m_settings.MuteAtStart()) {
        CSoundManager::GetInstance()->ToggleMute();
    }
    if (m_settings.Current().fullScreen) {
        ToggleFullScreen();
    }
}

// A campaign names the levels played; without one, <defaults> names the only level.
void ShooterWorld::LoadFirstLevel(const TiXmlElement* config) {
    std::string level = m_session.Levels().FirstLevel();
    if (level.empty()) {
        const TiXmlElement* defaults = xml::Child(config, "defaults");
        level = NormalizeDataPath(xml::RequiredText(defaults, "level", "CEngine"));
    }
    if (!level.empty()) {
        m_level.SetFile(level);
        LoadLevel(m_level.File());
    }
}

void ShooterWorld::ReadConfig(const TiXmlElement* config) {
    uint32_t width = m_window.Width();
    uint32_t height = m_window.Height();
    xml::ReadUnsigned(config, "width", width);
    xml::ReadUnsigned(config, "height", height);
    m_window.SetSize(width, height);
    m_session.ReadLayers(config);
    m_session.Levels().Read(config);
    m_difficulties = Difficulty::ReadAll(config);
    // The motion-blur composition: "accum" (the accumulation buffer, when the window has one)
    // or "blend" (ordinary blending); absent means "accum".
    const char* blur = xml::OptionalText(config, "motionblur");
    const std::string composition = blur ? blur : "accum";
    m_dataNamesBlur = blur != nullptr;
    m_dataBlends = composition == "blend";
    m_ring.SetBlending(m_dataBlends);
    if (composition != "blend" && composition != "accum") {
        LogMessage(
            "CEngine: Unknown motionblur=\"%s\" in %s (\"accum\" or \"blend\"); the "
            "accumulation buffer is used\n",
            blur, xml::FileOf(config).c_str());
    }
    bool vsync = m_window.VSync();
    uint32_t maxFps = m_window.MaxFps();
    ReadPacing(config, vsync, maxFps);
    m_window.SetPacing(vsync, maxFps);
}

void ShooterWorld::LoadResourceSets(const TiXmlElement* config) {
    if (!ForEachConfigFile(config, "spritesetfile", [](const std::string& path) {
            CSpriteManager::GetInstance()->LoadSpriteSet(path);
        })) {
        LogMessage("CEngine: No sprite set files defined in config file.\n");
    }
    if (!ForEachConfigFile(config, "animationsetfile", [](const std::string& path) {
            CAnimationManager::GetInstance()->LoadAnimationSet(path);
        })) {
        LogMessage("CEngine: No animation set files defined in config file.\n");
    }
    ForEachConfigFile(config, "fontsetfile", [](const std::string& path) {
        CFontManager::GetInstance()->LoadFontSet(path);
    });
}

// Sound: the first <soundsetfile>, at the master volume in effect (config.xml's "volume"
// attribute unless the player's settings change it).
void ShooterWorld::StartSound(const TiXmlElement* config) {
    const std::string path = FirstConfigFile(config, "soundsetfile");
    if (path.empty()) {
        return;
    }
    int volume = 100;
    const char* text = xml::OptionalText(config, "volume");
    if (text && (!xml::ReadInt(config, "volume", volume) || volume < 0 || volume > 100)) {
        LogMessage("CEngine: Attribute volume=\"%s\" of <config> is not 0 to 100; 100 is used\n",
                   text);
    }
    CSoundManager::GetInstance()->Start(std::make_unique<SDLMixer>(), path,
                                        m_settings.Current().masterVolume);
}
