#include "game/CampaignProgress.h"

#include <tinyxml.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "core/Log.h"

namespace {

// The whole number of 1 or more that text is, every character of it; 0 when it is not one.
int LevelNumber(const char* text) {
    if (!text || !*text) {
        return 0;
    }
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || errno == ERANGE || value < CampaignProgress::kFirstLevel ||
        value > INT_MAX) {
        return 0;
    }
    return static_cast<int>(value);
}

}  // namespace

int CampaignProgress::Reached(const std::string& difficulty) const {
    const auto found = m_levels.find(difficulty);
    return found == m_levels.end() ? kFirstLevel : found->second;
}

bool CampaignProgress::Reach(const std::string& difficulty, int level) {
    if (level <= Reached(difficulty)) {
        return false;
    }
    m_levels[difficulty] = level;
    return true;
}

void CampaignProgress::AppendTo(TiXmlElement* scores) const {
    for (const auto& [difficulty, level] : m_levels) {
        if (level <= kFirstLevel) {
            continue;
        }
        auto* element = new TiXmlElement("progress");
        element->SetAttribute("difficulty", difficulty.c_str());
        element->SetAttribute("level", level);
        scores->LinkEndChild(element);
    }
}

void CampaignProgress::ReadFrom(const TiXmlElement* scores, const std::string& file) {
    std::map<std::string, int> read;
    for (const TiXmlElement* element = scores->FirstChildElement("progress"); element;
         element = element->NextSiblingElement("progress")) {
        const char* name = element->Attribute("difficulty");
        const char* levelText = element->Attribute("level");
        const int level = LevelNumber(levelText);
        const char* wrong = !name || !*name    ? "has no difficulty"
                            : read.count(name) ? "names a difficulty already read"
                            : level == 0       ? "has no whole level of 1 or more"
                                               : nullptr;
        if (wrong) {
            LogMessage(
                "Scores file %s: the <progress> at line %d %s (level=\"%s\"); it is "
                "skipped\n",
                file.c_str(), element->Row(), wrong, levelText ? levelText : "");
            continue;
        }
        read[name] = level;
    }
    m_levels = std::move(read);
}
