#pragma once
// Checks a data folder the way the game reads it: config.xml first, then every file the game
// reads from it, in the game's order (sprites, animations, fonts, the first sound set,
// interface, the level or the campaign's levels, explosions). Runs with the data folder as
// the working directory.

#include <string>
#include <vector>

#include "tools/check/CheckContext.h"
#include "tools/check/InterfaceChecker.h"
#include "tools/check/LevelChecker.h"
#include "tools/check/ResourceChecker.h"

class TiXmlElement;

class DataChecker {
public:
    explicit DataChecker(Findings& findings);

    // False when config.xml cannot be read at all; every other problem is a finding.
    bool Run();
    // The level the configuration names (a campaign's first), as the game builds it; null
    // when none was loaded.
    const LevelModel* Level() const { return m_hasLevel ? &m_levels.Model() : nullptr; }

private:
    void CheckConfig(const TiXmlElement* config);
    void CheckResourceFiles(const TiXmlElement* config);
    void CheckSoundSetFile(const TiXmlElement* config);
    void CheckInterface(const TiXmlElement* config);
    void CheckLevelFile(const TiXmlElement* config);
    // The campaign's levels in order (the first one kept for the level map) and its layer.
    void CheckCampaign(const TiXmlElement* config, const std::vector<std::string>& levels);

    CheckContext m_context;
    ResourceChecker m_resources;
    InterfaceChecker m_interface;
    LevelChecker m_levels;
    bool m_hasLevel = false;
};
