#pragma once
// Checks a level file and the explosion configuration, and keeps the level as the game's own
// loaders build it (LevelModel) for the level map.

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

    // Reads and checks the level; true when it has a <level> element (the model is then set).
    bool CheckLevel(const std::string& path, const Place& from);
    // Checks the configuration's <explosioncfg> element (null when there is none).
    void CheckExplosions(const TiXmlElement* element, const std::string& file);

    const LevelModel& Model() const { return m_model; }

private:
    void BuildModel(const TiXmlElement* level);
    void CheckPlayer(const TiXmlElement* player);
    void CheckBackground(const TiXmlElement* bg);
    void CheckEnemy(const TiXmlElement* element, const ShooterEnemy& enemy);
    void CheckEnemyTiming(const ShooterEnemy& enemy, const Place& at);
    // Sprite, frame and animation of an actor's element.
    const CSprite* CheckLook(const TiXmlElement* actor);

    CheckContext& m_context;
    const ResourceChecker& m_resources;
    LevelModel m_model;
};
