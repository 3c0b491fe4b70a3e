#include "tools/check/CheckContext.h"

#include <tinyxml.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "core/DataLayers.h"
#include "core/DataPath.h"
#include "core/XmlRead.h"
#include "platform/FileSystem.h"

std::unique_ptr<TiXmlDocument> CheckContext::Open(const std::string& path, const Place& from) {
    TiXmlBase::SetCondenseWhiteSpace(true);
    auto document = std::make_unique<TiXmlDocument>(path.c_str());
    if (xml::LoadFile(*document)) {
        return document;
    }
    if (document->ErrorId() == TiXmlBase::TIXML_ERROR_OPENING_FILE) {
        Error(from, "cannot read " + path + ": the file is missing or not a regular file");
    } else {
        ReportParseError(*document, path, findings);
    }
    return nullptr;
}

const TiXmlElement* CheckContext::OpenSet(const std::string& path, const Place& from, DataKind kind,
                                          const char* setName,
                                          std::unique_ptr<TiXmlDocument>& document) {
    document = Open(path, from);
    if (!document) {
        return nullptr;
    }
    const TiXmlElement* set = xml::FindSetElement(*document, setName);
    if (!set) {
        Error({path, 1}, std::string("no <") + setName +
                             "> element at the top or below the first element: nothing is read");
        return nullptr;
    }
    CheckSchema(kind, set, path, findings);
    return set;
}

std::unique_ptr<TiXmlDocument> CheckContext::ReadLoaded(const std::string& path) {
    TiXmlBase::SetCondenseWhiteSpace(true);
    auto document = std::make_unique<TiXmlDocument>(path.c_str());
    return xml::LoadFile(*document) ? std::move(document) : nullptr;
}

const TiXmlElement* CheckContext::ReadLoadedSet(const std::string& path, DataKind kind,
                                                const char* setName,
                                                std::unique_ptr<TiXmlDocument>& document) {
    document = ReadLoaded(path);
    const TiXmlElement* set = document ? xml::FindSetElement(*document, setName) : nullptr;
    if (set) {
        CheckSchema(kind, set, path, findings);
    }
    return set;
}

void CheckContext::Define(NameTable& table, const char* what, const std::string& name,
                          const Place& at) {
    const auto found = table.find(name);
    if (found == table.end()) {
        table.emplace(name, at);
        return;
    }
    Error(at, std::string(what) + " " + Quoted(name) + " is defined again (first at " +
                  found->second.file + ":" + std::to_string(found->second.line) +
                  "): the game uses only the first");
}

void ReportParseError(const TiXmlDocument& document, const std::string& file, Findings& findings) {
    const std::string message = std::string("XML does not parse: ") + document.ErrorDesc();
    if (document.ErrorRow() > 0) {
        findings.Error(file, document.ErrorRow(), message);
        return;
    }
    // The reader ran out of text (an element left open): the problem shows at the end.
    const std::string path = DataLayers::Active().Resolve(file);
    std::ifstream in(platform::NativePath(path), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    if (!text.empty() && text.back() == '\n') {
        --lines;
    }
    findings.Error(file, lines, message + " (at the end of the file: something is left open)");
}

Place PlaceOf(const std::string& file, const TiXmlElement* element) {
    return {file, element ? element->Row() : 0};
}

std::string AttributeText(const TiXmlElement* element, const char* name) {
    const char* text = element ? element->Attribute(name) : nullptr;
    return text ? text : "";
}

std::string DataFileName(const std::string& path) {
    std::string name = NormalizeDataPath(path);
    while (name.compare(0, 2, "./") == 0) {
        name.erase(0, 2);
    }
    return name;
}

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}
