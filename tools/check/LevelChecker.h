#pragma once
// Checks a level file and the explosion configuration, and keeps the level as the game's own
// level loader builds it (LevelModel) for the level map.

#include <string>

#include "tools/check/CheckContext.h"
#include "tools/check/LevelModel.h"

class CSprite;
class ResourceChecker;
class TiXmlElement;

class LevelChecker {
public:
    LevelChecker(CheckContext& context, const ResourceChecker& resources)
        : m_context(context), m_resources(resources) {}

    // Reads the level with the game's level loader (which reports what it finds), keeps the
    // level it builds and checks what the game does not: unknown actions,
    // frames outside a sprite, the level's music, enemies that spawn too late or outside the
    // view. True when the file has a <level> element (the model is then set).
    bool CheckLevel(const std::string& path);
    // Loads the configuration's explosions with the game's loader and checks the action.
    void CheckExplosions(const TiXmlElement* config);

    const LevelModel& Model() const { return m_model; }

private:
    void CheckEnemy(const TiXmlElement* element, const ShooterEnemy& enemy);
    void CheckEnemyTiming(const ShooterEnemy& enemy, const Place& at);
    // The frame and animation action of an actor's element.
    void CheckLook(const TiXmlElement* actor);

    CheckContext& m_context;
    const ResourceChecker& m_resources;
    LevelModel m_model;
};
