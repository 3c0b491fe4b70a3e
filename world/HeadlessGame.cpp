#include "world/HeadlessGame.h"

#include <tinyxml.h>

#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/DataPath.h"
#include "core/XmlRead.h"
#include "events/CEventManager.h"
#include "events/EventType.h"
#include "events/IEvent.h"
#include "game/ConfigFiles.h"
#include "game/ShooterExplosionManager.h"
#include "resources/CAnimationManager.h"
#include "resources/CSpriteManager.h"
#include "world/GameRecording.h"

namespace {

// Keeps the game's log (standard error) quiet while the data loads: the loaders report what
// the game would, which is not the verification's business.
class QuietLog {
public:
    QuietLog() : m_previous(std::cerr.rdbuf(m_sink.rdbuf())) {}
    ~QuietLog() { std::cerr.rdbuf(m_previous); }
    QuietLog(const QuietLog&) = delete;
    QuietLog& operator=(const QuietLog&) = delete;

private:
    std::ostringstream m_sink;
    std::streambuf* m_previous;
};

void LoadSets(const TiXmlElement* config) {
    xml::ForEachChild(config, "spritesetfile", [](const TiXmlElement* element) {
        const std::string path = xml::Text(element);
        if (!path.empty()) {
            CSpriteManager::GetInstance()->LoadSpriteSet(NormalizeDataPath(path));
        }
    });
    xml::ForEachChild(config, "animationsetfile", [](const TiXmlElement* element) {
        const std::string path = xml::Text(element);
        if (!path.empty()) {
            CAnimationManager::GetInstance()->LoadAnimationSet(NormalizeDataPath(path));
        }
    });
}

}  // namespace

HeadlessGame::HeadlessGame() {
    CEventManager* events = CEventManager::GetInstance();
    events->AddListener(this, Event_Shooter_PlayerDeath);
    // A lost life still queued from an earlier game in this process is not this game's.
    events->AbortEvent(Event_Shooter_PlayerDeath, true);
}

HeadlessGame::~HeadlessGame() {
    CEventManager::GetInstance()->DelListener(this, Event_Shooter_PlayerDeath);
    m_level.ReleaseActors();
}

bool HeadlessGame::Load(std::string& error) {
    QuietLog quiet;
    TiXmlDocument document(GameRecording::kConfigFile);
    const TiXmlElement* config =
        xml::LoadFile(document) ? document.FirstChildElement("config") : nullptr;
    if (!config) {
        error = std::string("no <config> in ") + GameRecording::kConfigFile;
        return false;
    }
    LoadSets(config);
    auto explosions = std::make_unique<ShooterExplosionManager>();
    explosions->Load(TiXmlHandle(const_cast<TiXmlElement*>(xml::Child(config, "explosioncfg"))));
    m_level.SetExplosions(std::move(explosions));
    // A campaign's game is recorded over its first level (ShooterWorld::Update).
    const std::vector<std::string> campaign = CampaignLevels(config);
    const TiXmlElement* defaults = xml::Child(config, "defaults");
    const char* level = defaults ? xml::OptionalText(defaults, "level") : nullptr;
    if (campaign.empty() && (!level || !*level)) {
        error = std::string("no default level in ") + GameRecording::kConfigFile;
        return false;
    }
    m_level.SetFile(campaign.empty() ? NormalizeDataPath(level) : campaign.front());
    if (!m_level.Load(m_level.File()) || !m_level.Player()) {
        error = "the level " + m_level.File() + " has no ship to play";
        return false;
    }
    return true;
}

void HeadlessGame::Deliver(const std::vector<GameCommand>& commands) {
    for (const GameCommand& command : commands) {
        m_level.Apply(command);
    }
    CEventManager::GetInstance()->Tick();
}

void HeadlessGame::Step(float dt) {
    if (m_level.Player()) {
        m_level.Step(dt, this);
    }
}

bool HeadlessGame::HandleEvent(IEvent* event) {
    if (event && event->GetEventType() == Event_Shooter_PlayerDeath) {
        m_level.HandleShipDeath();
    }
    return false;
}
