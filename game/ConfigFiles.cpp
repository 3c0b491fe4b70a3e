#include "game/ConfigFiles.h"

#include <tinyxml.h>

#include "core/DataPath.h"
#include "core/XmlRead.h"

namespace {

void ReportEmpty(const TiXmlElement* element, const char* name) {
    xml::ReportAt(element, "CEngine: Empty <%s> element in %s\n", name,
                  xml::FileOf(element).c_str());
}

}  // namespace

bool ForEachConfigFile(const TiXmlElement* config, const char* name,
                       const std::function<void(const std::string&)>& load) {
    bool any = false;
    xml::ForEachChild(config, name, [&](const TiXmlElement* element) {
        any = true;
        const std::string path = xml::Text(element);
        if (path.empty()) {
            ReportEmpty(element, name);
            return;
        }
        load(NormalizeDataPath(path));
    });
    return any;
}

std::string FirstConfigFile(const TiXmlElement* config, const char* name) {
    const TiXmlElement* element = xml::Child(config, name);
    const std::string path = xml::Text(element);
    if (element && path.empty()) {
        ReportEmpty(element, name);
    }
    return NormalizeDataPath(path);
}
