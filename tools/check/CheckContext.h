#pragma once
// What every part of the checker shares: the findings, the data files it opens, and the first
// definition of every name the data declares (sprites, animations, fonts, layers, sounds).
// The checker runs with the data folder as its working directory, as the game does, so every
// path here is relative to the data folder.

#include <map>
#include <memory>
#include <set>
#include <string>

#include "tools/check/DataSchema.h"
#include "tools/check/Findings.h"

class TiXmlDocument;
class TiXmlElement;

// A place in the data: a file and a line.
struct Place {
    std::string file;
    int line = 0;
};

// The names of one kind, each with the place of its first definition.
using NameTable = std::map<std::string, Place>;

class CheckContext {
public:
    explicit CheckContext(Findings& findings) : findings(findings) {}

    // Loads a data file as the game's readers do (whitespace condensed). When it cannot be
    // read the error points at from (the element naming it); when it does not parse, at the
    // line of the parse error. Null in both cases.
    std::unique_ptr<TiXmlDocument> Open(const std::string& path, const Place& from);
    // Opens the file, then checks its elements and attributes against the table from the
    // element that the game starts reading at: the top-level element called setName, or a
    // child of the first element of that name. Null (reported) when the file cannot be used.
    const TiXmlElement* OpenSet(const std::string& path, const Place& from, DataKind kind,
                                const char* setName, std::unique_ptr<TiXmlDocument>& document);
    // Opens a file that one of the game's loaders has just read, for the checks the game does
    // not make. The loader has reported a file that cannot be read or parsed, so that yields
    // null silently.
    static std::unique_ptr<TiXmlDocument> ReadLoaded(const std::string& path);
    // The same for a set file, with the schema check of OpenSet; null (silently: the loader
    // reported it) when the file has no set element either.
    const TiXmlElement* ReadLoadedSet(const std::string& path, DataKind kind, const char* setName,
                                      std::unique_ptr<TiXmlDocument>& document);

    // Records the first definition of name; a second one is reported as an error naming the
    // first, since the game keeps only the first.
    void Define(NameTable& table, const char* what, const std::string& name, const Place& at);

    void Error(const Place& at, const std::string& message) {
        findings.Error(at.file, at.line, message);
    }
    void Warning(const Place& at, const std::string& message) {
        findings.Warning(at.file, at.line, message);
    }

    Findings& findings;
    NameTable sprites;
    NameTable animations;
    NameTable fonts;
    NameTable layers;
    std::set<std::string> musicTracks;  // the sound set's music tracks (not its samples)
    bool soundsLoaded = false;          // a sound set was read, so sound names can be checked
};

// Reports why the document did not parse, at the line the reader stopped.
void ReportParseError(const TiXmlDocument& document, const std::string& file, Findings& findings);
// The place of an element of the file.
Place PlaceOf(const std::string& file, const TiXmlElement* element);
// The attribute's text, or "" when it is absent.
std::string AttributeText(const TiXmlElement* element, const char* name);
// The path as the data names it, normalised ('\' read as '/', a leading "./" dropped).
std::string DataFileName(const std::string& path);
// "name" in double quotes, for messages.
std::string Quoted(const std::string& name);
