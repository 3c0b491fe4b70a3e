#include "tools/check/CheckContext.h"

#include <tinyxml.h>

#include "core/DataPath.h"
#include "core/XmlRead.h"

std::unique_ptr<TiXmlDocument> CheckContext::Open(const std::string& path, const Place& from) {
    TiXmlBase::SetCondenseWhiteSpace(true);
    auto document = std::make_unique<TiXmlDocument>(path.c_str());
    if (xml::LoadFile(*document)) {
        return document;
    }
    if (document->ErrorId() == TiXmlBase::TIXML_ERROR_OPENING_FILE) {
        Error(from, "cannot read " + path + ": the file is missing or not a regular file");
    } else {
        findings.Error(path, document->ErrorRow(),
                       std::string("XML does not parse: ") + document->ErrorDesc());
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
