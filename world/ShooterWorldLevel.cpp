// Level loading: the level file is read by the game's level loader; the world takes its parts.
#include "world/ShooterWorld.h"

#include "game/LevelLoader.h"

bool ShooterWorld::LoadLevel(const std::string& fileName) {
    ++m_sceneChanges;
    // The actors are built aside and handed to the world only once the level proves usable.
    LevelLoader::Parts parts;
    if (!LevelLoader::Load(fileName, parts)) {
        return false;
    }
    m_levelName = parts.name;
    m_levelMusic = parts.music;
    m_camera = std::move(parts.camera);
    m_player = std::move(parts.player);
    m_background = std::move(parts.background);
    m_enemies = std::move(parts.enemies);
    return true;
}
