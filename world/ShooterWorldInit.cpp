// Start-up: reads config.xml and brings up the window, resources, interface, level,
// explosions and the world's event listeners, in that order.
#include "world/ShooterWorld.h"

#include <tinyxml.h>

#include <cstring>

#include "core/DataPath.h"
#include "core/Log.h"
#include "core/XmlRead.h"
#include "events/CEventManager.h"
#include "events/EventType.h"
#include "game/ConfigFiles.h"
#include "game/ShooterExplosionManager.h"
#include "gui/CGUI.h"
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
    TiXmlDocument document(CONFIG_FILE);
    // A file that does not parse may still leave a partial tree behind: it is not used.
    const TiXmlElement* config =
        xml::LoadFile(document) ? document.FirstChildElement("config") : nullptr;
    if (!config) {
        // Nothing can be configured without it: the game ends.
        LogMessage("<config> xml definition not found in: config.xml\n");
        m_quit = true;
        return;
    }
    ReadConfig(config);
    if (!InitGL() && !SDL_GetVideoSurface()) {
        // No window: nothing can be shown and no key can end the loop.
        m_quit = true;
        return;
    }
    LoadResourceSets(config);
    StartSound(config);
    CGUI::GetInstance()->Load(HandleOn(xml::RequiredChild(config, "guicfg", "CEngine")));
    ReportUnknownLayer("Game-over", m_gameOverLayer);
    ReportUnknownLayer("Game-complete", m_gameCompleteLayer);
    m_levelTime = static_cast<int32_t>(timeGetTime());
    if (const TiXmlElement* defaults = xml::Child(config, "defaults")) {
        const std::string level = xml::RequiredText(defaults, "level", "CEngine");
        if (!level.empty()) {
            m_levelFile = NormalizeDataPath(level);
            LoadLevel(m_levelFile);
        }
    }
    // The explosion manager reports a missing "explosioncfg" itself.
    m_explosions = std::make_unique<ShooterExplosionManager>();
    m_explosions->Load(HandleOn(xml::Child(config, "explosioncfg")));

    CEventManager* events = CEventManager::GetInstance();
    events->AddListener(this, Event_Shooter_Pause);
    events->AddListener(this, Event_Shooter_PlayerDeath);
    events->AddListener(this, Event_Shooter_PlayerNoMoreLives);
    events->AddListener(this, Event_Shooter_GUIEvent);
    LoadScores();
    m_gamepad.Open();
}

void ShooterWorld::ReadConfig(const TiXmlElement* config) {
    xml::ReadUnsigned(config, "width", m_width);
    xml::ReadUnsigned(config, "height", m_height);
    m_gameOverLayer = xml::RequiredText(config, "gameoverlayer", "CEngine");
    m_gameCompleteLayer = xml::RequiredText(config, "gamecompletelayer", "CEngine");
    // The motion-blur composition: "accum" (the accumulation buffer, when the window has one)
    // or "blend" (ordinary blending); absent means "accum".
    const char* blur = xml::OptionalText(config, "motionblur");
    const std::string composition = blur ? blur : "accum";
    m_blendBlur = composition == "blend";
    if (composition != "blend" && composition != "accum") {
        LogMessage(
            "CEngine: Unknown motionblur=\"%s\" in %s (\"accum\" or \"blend\"); the "
            "accumulation buffer is used\n",
            blur, xml::FileOf(config).c_str());
    }
    ReadPacing(config, m_vsync, m_maxFps);
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
