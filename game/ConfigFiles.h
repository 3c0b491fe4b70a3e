#pragma once
// The data files config.xml names, one element each (<spritesetfile>, <animationsetfile>,
// <fontsetfile>, <soundsetfile>), read the same way by the game's start-up and the data
// checker.

#include <functional>
#include <string>

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
