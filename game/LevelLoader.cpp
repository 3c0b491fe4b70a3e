#include "game/LevelLoader.h"

#include <tinyxml.h>

#include "core/DataPath.h"
#include "core/Diagnostics.h"
#include "core/XmlRead.h"

bool LevelLoader::Load(const std::string& fileName, Parts& parts) {
    TiXmlDocument document(NormalizeDataPath(fileName).c_str());
    if (!xml::LoadFile(document)) {
        // The line of a parse error; 0 for a file that cannot be opened.
        ReportProblem(fileName, document.ErrorRow(), "Level file not found: %s\n",
                      fileName.c_str());
        return false;
    }
    const TiXmlElement* level = document.FirstChildElement("level");
    if (!level) {
        ReportProblem(fileName, 0, "Level root node not found in: %s\n", fileName.c_str());
        return false;
    }
    parts.name = xml::RequiredText(level, "name", "ShooterWorld");
    const char* music = xml::OptionalText(level, "music");
    parts.music = music ? music : "";
    ReadActors(level, parts);
    if (!IsPlayable(parts, level, fileName)) {
        return false;
    }
    ReportMissingActors(parts, level, fileName);
    return true;
}

void LevelLoader::ReadActors(const TiXmlElement* level, Parts& parts) {
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
bool LevelLoader::IsPlayable(const Parts& parts, const TiXmlElement* level,
                             const std::string& fileName) {
    if (parts.player && !parts.camera) {
        ReportProblem(fileName, level->Row(), "Level has a player but no camera, not loaded: %s\n",
                      fileName.c_str());
        return false;
    }
    if (parts.player && !parts.background) {
        ReportProblem(fileName, level->Row(),
                      "Level has a player but no background, not loaded: %s\n", fileName.c_str());
        return false;
    }
    return true;
}

// A level without a player or without enemies loads, but a modder should hear why nothing
// happens in it, or why it is over at once.
void LevelLoader::ReportMissingActors(const Parts& parts, const TiXmlElement* level,
                                      const std::string& fileName) {
    if (!parts.player) {
        ReportProblem(fileName, level->Row(),
                      "Level has no player: nothing moves and nothing is drawn: %s\n",
                      fileName.c_str());
    } else if (parts.enemies.empty()) {
        ReportProblem(fileName, level->Row(),
                      "Level has no enemies: it is complete as soon as play starts: %s\n",
                      fileName.c_str());
    }
}
