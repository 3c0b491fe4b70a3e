#include "game/ConfigFiles.h"

#include <tinyxml.h>

#include "core/DataPath.h"
#include "core/XmlRead.h"

bool ForEachConfigFile(const TiXmlElement* config, const char* name,
                       const std::function<void(const std::string&)>& load) {
    bool any = false;
    xml::ForEachChild(config, name, [&](const TiXmlElement* element) {
        any = true;
        const std::string path = xml::Text(element);
        if (path.empty()) {
            xml::ReportAt(element, "CEngine: Empty <%s> element in %s\n", name,
                          xml::FileOf(element).c_str());
            return;
        }
        load(NormalizeDataPath(path));
    });
    return any;
}
