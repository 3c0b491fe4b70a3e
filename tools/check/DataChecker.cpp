#include "tools/check/DataChecker.h"

#include <tinyxml.h>

#include <functional>
#include <string>
#include <vector>

#include "core/XmlRead.h"
#include "game/ConfigFiles.h"
#include "resources/CSpriteManager.h"
#include "tools/check/LoaderFindings.h"
#include "tools/check/QuietLog.h"
#include "tools/check/SoundChecker.h"

namespace {

const char* const kConfigFile = "config.xml";

// Calls check with the path and place of every element of that name under parent, in
// document order; an element without a path is reported.
void ForEachFile(CheckContext& context, const TiXmlElement* parent, const char* name,
                 const std::function<void(const std::string&, const Place&)>& check) {
    xml::ForEachChild(parent, name, [&](const TiXmlElement* element) {
        const Place at = PlaceOf(kConfigFile, element);
        const std::string path = xml::Text(element);
        if (path.empty()) {
            context.Error(at, std::string("<") + name + "> names no file");
            return;
        }
        check(DataFileName(path), at);
    });
}

}  // namespace

DataChecker::DataChecker(Findings& findings)
    : m_context(findings),
      m_resources(m_context),
      m_interface(m_context, m_resources),
      m_levels(m_context, m_resources) {}

bool DataChecker::Run() {
    // Every data problem the game's loaders report while the checker runs them is a finding;
    // the rest of their log (what loaded) is not for the checker's reader.
    LoaderFindings loaderFindings(m_context.findings);
    QuietLog quiet;
    CSpriteManager::GetInstance()->SetUploadTextures(false);
    TiXmlBase::SetCondenseWhiteSpace(true);
    TiXmlDocument document(kConfigFile);
    if (!xml::LoadFile(document)) {
        if (document.ErrorId() == TiXmlBase::TIXML_ERROR_OPENING_FILE) {
            return false;
        }
        ReportParseError(document, kConfigFile, m_context.findings);
        return true;
    }
    const TiXmlElement* config = document.FirstChildElement("config");
    if (!config) {
        m_context.Error({kConfigFile, 1}, "no <config> element at the top: the game ends at once");
        return true;
    }
    CheckSchema(DataKind::Config, config, kConfigFile, m_context.findings);
    CheckConfig(config);
    CheckResourceFiles(config);
    CheckInterface(config);
    CheckLevelFile(config);
    m_levels.CheckExplosions(config);
    m_interface.CheckLayerNames();
    return true;
}

void DataChecker::CheckConfig(const TiXmlElement* config) {
    const Place at = PlaceOf(kConfigFile, config);
    // Read as the game's start-up reads them: a missing one is reported in its words.
    for (const char* attribute : {"gameoverlayer", "gamecompletelayer"}) {
        const std::string layer = xml::RequiredText(config, attribute, "CEngine");
        if (config->Attribute(attribute)) {
            m_interface.UseLayer(layer, at, attribute);
        }
    }
}

void DataChecker::CheckResourceFiles(const TiXmlElement* config) {
    ForEachConfigFile(config, "spritesetfile", [this](const std::string& path) {
        m_resources.CheckSpriteSet(DataFileName(path));
    });
    ForEachConfigFile(config, "animationsetfile", [this](const std::string& path) {
        m_resources.CheckAnimationSet(DataFileName(path));
    });
    ForEachConfigFile(config, "fontsetfile", [this](const std::string& path) {
        m_resources.CheckFontSet(DataFileName(path));
    });
    CheckSoundSetFile(config);
}

void DataChecker::CheckSoundSetFile(const TiXmlElement* config) {
    // The game reads the first <soundsetfile> only; any further one is not opened.
    const TiXmlElement* first = xml::Child(config, "soundsetfile");
    if (!first) {
        return;
    }
    const std::string path = FirstConfigFile(config, "soundsetfile");
    if (!path.empty()) {
        CheckSoundSet(m_context, DataFileName(path));
    }
    for (const TiXmlElement* more = xml::Next(first, "soundsetfile"); more;
         more = xml::Next(more, "soundsetfile")) {
        m_context.Warning(PlaceOf(kConfigFile, more),
                          "another <soundsetfile> in <config>: the game reads only the first and "
                          "ignores it");
    }
}

void DataChecker::CheckInterface(const TiXmlElement* config) {
    const TiXmlElement* gui = xml::RequiredChild(config, "guicfg", "CEngine");
    if (!gui) {
        return;
    }
    if (const char* layer = gui->Attribute("default")) {
        m_interface.UseLayer(layer, PlaceOf(kConfigFile, gui), "default layer");
    }
    ForEachFile(m_context, gui, "layersetfile", [this](const std::string& path, const Place& at) {
        m_interface.CheckLayerSet(path, at);
    });
}

void DataChecker::CheckLevelFile(const TiXmlElement* config) {
    // Read as the game reads it: an entry without a file, or a campaign without an entry, is
    // reported in the game's words.
    const std::vector<std::string> campaign = CampaignLevels(config);
    if (!campaign.empty()) {
        CheckCampaign(config, campaign);
        return;
    }
    const TiXmlElement* defaults = xml::Child(config, "defaults");
    if (!defaults) {
        m_context.Warning(PlaceOf(kConfigFile, config),
                          "no <defaults>: the game loads no level and shows a black screen");
        return;
    }
    const Place at = PlaceOf(kConfigFile, defaults);
    const std::string level = xml::RequiredText(defaults, "level", "CEngine");
    if (level.empty()) {
        if (defaults->Attribute("level")) {
            m_context.Error(at, "<defaults> names no \"level\"");
        }
        return;
    }
    m_hasLevel = m_levels.CheckLevel(DataFileName(level));
}

void DataChecker::CheckCampaign(const TiXmlElement* config,
                                const std::vector<std::string>& levels) {
    if (levels.size() > 1) {
        m_interface.UseLayer(CampaignLayer(config),
                             PlaceOf(kConfigFile, xml::Child(config, "campaign")),
                             "next-level layer");
    }
    // A <defaults> naming the campaign's first level agrees with it (a tool that reads only
    // <defaults> starts the same game); one naming another level is never played.
    const TiXmlElement* defaults = xml::Child(config, "defaults");
    const char* level = defaults ? defaults->Attribute("level") : nullptr;
    if (defaults && (!level || levels.front() != level)) {
        m_context.Warning(PlaceOf(kConfigFile, defaults),
                          "<defaults> names a level, but <campaign> lists the levels played: "
                          "the game ignores it");
    }
    // A missing or broken level is reported by the game's level loader, in the game's words.
    m_hasLevel = m_levels.CheckLevel(DataFileName(levels.front()));
    // The level map draws the first level: the later ones are checked by a checker of their
    // own, which keeps the first one's model.
    LevelChecker later(m_context, m_resources);
    for (size_t i = 1; i < levels.size(); ++i) {
        later.CheckLevel(DataFileName(levels[i]));
    }
}
