#pragma once
// The elements and attributes the game's readers know, per kind of data file, in one table
// (DataSchema.cpp), and the walk that reports what the readers would silently ignore: unknown
// elements and attributes, and numbers the readers take only in part ("800px" reads as 800).

#include <string>

class Findings;
class TiXmlElement;

enum class DataKind { Config, SpriteSet, AnimationSet, FontSet, LayerSet, Level, SoundSet };

enum class ValueKind { Text, Int, Float };

// Walks root (the element the game starts reading at) and every element below it that the
// table knows, reporting to findings under the file name given.
void CheckSchema(DataKind kind, const TiXmlElement* root, const std::string& file,
                 Findings& findings);

// How the game's integer reading ("%d") takes text: true with the value when the text starts
// with a number (after blanks), and rest set to whatever follows the number.
bool ScanInt(const char* text, long long& value, std::string& rest);
// The same for floating-point values ("%lf").
bool ScanFloat(const char* text, double& value, std::string& rest);
