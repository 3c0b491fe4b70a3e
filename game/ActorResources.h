#pragma once
// Looks up the sprites and animations that level data names. An unknown name is reported once
// as a data problem (core/Diagnostics.h) at the element naming it, with the data file's name,
// and yields null: the actor then carries on without it.

#include <string>

class CAnimation;
class CSprite;
class TiXmlElement;

// The sprite of that name, or null. An empty name (already reported as a missing attribute)
// is not reported again.
CSprite* FindLevelSprite(const std::string& name, const TiXmlElement* element, const char* who);
// The animation of that name, or null; reported like FindLevelSprite.
CAnimation* FindLevelAnimation(const std::string& name, const TiXmlElement* element,
                               const char* who);
