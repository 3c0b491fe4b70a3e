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

std::vector<std::string> CampaignLevels(const TiXmlElement* config) {
    std::vector<std::string> levels;
    const TiXmlElement* campaign = xml::Child(config, "campaign");
    if (!campaign) {
        return levels;
    }
    xml::ForEachChild(campaign, "level", [&levels](const TiXmlElement* level) {
        const std::string path = xml::RequiredText(level, "file", "CEngine");
        if (!path.empty()) {
            levels.push_back(NormalizeDataPath(path));
        } else if (level->Attribute("file")) {
            xml::ReportAt(level, "CEngine: Empty \"file\" of <level> in %s\n",
                          xml::FileOf(level).c_str());
        }
    });
    if (levels.empty()) {
        xml::ReportAt(campaign,
                      "CEngine: <campaign> in %s lists no <level file=\"...\">: the <defaults> "
                      "level is played\n",
                      xml::FileOf(campaign).c_str());
    }
    return levels;
}

std::string CampaignLayer(const TiXmlElement* config) {
    const char* layer = xml::OptionalText(xml::Child(config, "campaign"), "layer");
    return layer ? layer : "nextlevel";
}
