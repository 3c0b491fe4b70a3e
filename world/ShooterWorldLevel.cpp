// Level loading: builds the camera, the player ship, the background and the enemies.
#include "world/ShooterWorld.h"

#include <tinyxml.h>

#include "core/DataPath.h"
#include "core/Log.h"
#include "core/XmlRead.h"
#include "game/ShooterBackground.h"
#include "game/ShooterCamera.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterPlayer.h"

namespace {

// Everything one level file builds, kept aside until the whole file has been read.
struct LevelParts {
    std::string name;
    std::unique_ptr<ShooterCamera> camera;
    std::unique_ptr<ShooterPlayer> player;
    std::unique_ptr<ShooterBackground> background;
    std::vector<std::unique_ptr<ShooterEnemy>> enemies;
};

void ReadActors(const TiXmlElement* level, LevelParts& parts) {
    if (const TiXmlElement* element = xml::Child(level, "camera")) {
        parts.camera = std::make_unique<ShooterCamera>();
        parts.camera->Load(element);
    }
    if (const TiXmlElement* element = xml::Child(level, "player")) {
        parts.player = std::make_unique<ShooterPlayer>();
        parts.player->Load(element);
    }
    if (const TiXmlElement* element = xml::Child(level, "bg")) {
        parts.background = std::make_unique<ShooterBackground>();
        parts.background->Load(element);
    }
    xml::ForEachChild(level, "enemy", [&parts](const TiXmlElement* element) {
        auto enemy = std::make_unique<ShooterEnemy>();
        enemy->Load(element);
        parts.enemies.push_back(std::move(enemy));
    });
}

// A ship needs a camera to fly in and terrain to fly over: without them the level cannot be
// played, so it is refused as a whole.
bool IsPlayable(const LevelParts& parts, const std::string& fileName) {
    if (parts.player && !parts.camera) {
        LogMessage("Level has a player but no camera, not loaded: %s\n", fileName.c_str());
        return false;
    }
    if (parts.player && !parts.background) {
        LogMessage("Level has a player but no background, not loaded: %s\n", fileName.c_str());
        return false;
    }
    return true;
}

// A level without a player or without enemies loads, but a modder should hear why nothing
// happens in it, or why it is over at once.
void ReportMissingActors(const LevelParts& parts, const std::string& fileName) {
    if (!parts.player) {
        LogMessage("Level has no player: nothing moves and nothing is drawn: %s\n",
                   fileName.c_str());
    } else if (parts.enemies.empty()) {
        LogMessage("Level has no enemies: it is complete as soon as play starts: %s\n",
                   fileName.c_str());
    }
}

}  // namespace

bool ShooterWorld::LoadLevel(const std::string& fileName) {
    ++m_sceneChanges;
    TiXmlDocument document(NormalizeDataPath(fileName).c_str());
    if (!xml::LoadFile(document)) {
        LogMessage("Level file not found: %s\n", fileName.c_str());
        return false;
    }
    const TiXmlElement* level = document.FirstChildElement("level");
    if (!level) {
        LogMessage("Level root node not found in: %s\n", fileName.c_str());
        return false;
    }
    // The actors are built aside and handed to the world only once the level proves usable.
    LevelParts parts;
    parts.name = xml::RequiredText(level, "name", "ShooterWorld");
    ReadActors(level, parts);
    if (!IsPlayable(parts, fileName)) {
        return false;
    }
    ReportMissingActors(parts, fileName);
    m_levelName = parts.name;
    const char* music = xml::OptionalText(level, "music");
    m_levelMusic = music ? music : "";
    m_camera = std::move(parts.camera);
    m_player = std::move(parts.player);
    m_background = std::move(parts.background);
    m_enemies = std::move(parts.enemies);
    return true;
}
