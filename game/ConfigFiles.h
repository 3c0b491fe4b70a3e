#pragma once
// The data files config.xml names, one element each (<spritesetfile>, <animationsetfile>,
// <fontsetfile>, <soundsetfile>) and the level files of its <campaign>, read the same way by
// the game's start-up, the replays' headless game and the data checker.

#include <functional>
#include <string>
#include <vector>

class TiXmlElement;

// Calls load with the path of every element of that name under config, in document order,
// with '\' read as '/'; false when there is none. An element without text is reported as a
// data problem (core/Diagnostics.h) and skipped.
bool ForEachConfigFile(const TiXmlElement* config, const char* name,
                       const std::function<void(const std::string&)>& load);

// The path of the first element of that name under config, with '\' read as '/'; "" when
// there is none, or when it has no text (then reported as ForEachConfigFile reports it).
// Later elements of that name are not read.
std::string FirstConfigFile(const TiXmlElement* config, const char* name);

// The level files of config's <campaign>, in play order, with '\' read as '/'; empty when
// there is none. A <level> without a "file" is reported as a data problem and left out; a
// <campaign> that lists no level at all is reported (the game then plays the <defaults>
// level, as without a campaign).
std::vector<std::string> CampaignLevels(const TiXmlElement* config);

// The interface layer shown between two levels of config's campaign: its "layer" attribute,
// "nextlevel" when it has none.
std::string CampaignLayer(const TiXmlElement* config);
