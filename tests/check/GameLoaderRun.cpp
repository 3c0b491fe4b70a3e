#include "GameLoaderRun.h"

#include <tinyxml.h>

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <memory>
#include <vector>

#include "audio/CSoundManager.h"
#include "audio/SDLMixer.h"
#include "core/DataPath.h"
#include "core/Diagnostics.h"
#include "core/XmlRead.h"
#include "game/ConfigFiles.h"
#include "game/LevelLoader.h"
#include "game/ShooterExplosionManager.h"
#include "resources/CAnimationManager.h"
#include "resources/CFontManager.h"
#include "resources/CSpriteManager.h"

namespace {

std::string WithoutDotSlash(std::string path) {
    while (path.compare(0, 2, "./") == 0) {
        path.erase(0, 2);
    }
    return path;
}

// Collects the reports while it exists, each (file, text) once.
class Collector : public Diagnostics {
public:
    Collector() : m_previous(Install(this)) {}
    ~Collector() override { Install(m_previous); }

    void Report(const std::string& file, int line, const std::string& text) override {
        Problem problem{WithoutDotSlash(NormalizeDataPath(file)), line, text};
        if (!problem.text.empty() && problem.text.back() == '\n') {
            problem.text.pop_back();
        }
        for (const Problem& seen : m_seen) {
            if (seen.file == problem.file && seen.text == problem.text) {
                return;
            }
        }
        m_seen.push_back(problem);
    }
    std::set<Problem> All() const { return {m_seen.begin(), m_seen.end()}; }

private:
    Diagnostics* m_previous;
    std::vector<Problem> m_seen;
};

void LoadAll(const TiXmlElement* config) {
    xml::RequiredText(config, "gameoverlayer", "CEngine");
    xml::RequiredText(config, "gamecompletelayer", "CEngine");
    ForEachConfigFile(config, "spritesetfile", [](const std::string& path) {
        CSpriteManager::GetInstance()->LoadSpriteSet(path);
    });
    ForEachConfigFile(config, "animationsetfile", [](const std::string& path) {
        CAnimationManager::GetInstance()->LoadAnimationSet(path);
    });
    ForEachConfigFile(config, "fontsetfile", [](const std::string& path) {
        CFontManager::GetInstance()->LoadFontSet(path);
    });
    const std::string sounds = FirstConfigFile(config, "soundsetfile");
    if (!sounds.empty()) {
        CSoundManager::GetInstance()->Start(std::make_unique<SDLMixer>(), sounds, 100);
    }
    xml::RequiredChild(config, "guicfg", "CEngine");
    // A campaign's levels are played in turn (each loaded when it is reached), and then the
    // <defaults> level is not played; without a campaign the <defaults> level is.
    const std::vector<std::string> campaign = CampaignLevels(config);
    for (const std::string& level : campaign) {
        LevelLoader::Parts parts;
        LevelLoader::Load(NormalizeDataPath(level), parts);
    }
    const TiXmlElement* defaults = campaign.empty() ? xml::Child(config, "defaults") : nullptr;
    if (defaults) {
        const std::string level = xml::RequiredText(defaults, "level", "CEngine");
        LevelLoader::Parts parts;
        if (!level.empty()) {
            LevelLoader::Load(NormalizeDataPath(level), parts);
        }
    }
    ShooterExplosionManager explosions;
    explosions.Load(TiXmlHandle(const_cast<TiXmlElement*>(xml::Child(config, "explosioncfg"))));
}

}  // namespace

std::set<Problem> GameLoaderProblems() {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    Collector collector;
    // The rest of the game's log (what loaded, problems met in play) is not compared.
    std::ostringstream log;
    std::streambuf* standardError = std::cerr.rdbuf(log.rdbuf());
    TiXmlBase::SetCondenseWhiteSpace(true);
    TiXmlDocument document("config.xml");
    const TiXmlElement* config =
        xml::LoadFile(document) ? document.FirstChildElement("config") : nullptr;
    CSpriteManager::GetInstance()->SetUploadTextures(false);
    if (config) {
        LoadAll(config);
    }
    CSoundManager::GetInstance()->Shutdown();
    CFontManager::GetInstance()->UnloadAll();
    CAnimationManager::GetInstance()->UnloadAll();
    CSpriteManager::GetInstance()->UnloadAll();
    CSpriteManager::GetInstance()->SetUploadTextures(true);
    std::cerr.rdbuf(standardError);
    return collector.All();
}

namespace {

// Reads the JSON string literal starting at text[at] (its opening quote); at moves past it.
std::string ReadJsonString(const std::string& text, size_t& at) {
    std::string out;
    for (++at; at < text.size() && text[at] != '"'; ++at) {
        if (text[at] != '\\') {
            out += text[at];
        } else if (text[++at] == 'u') {
            out += static_cast<char>(std::stoi(text.substr(at + 1, 4), nullptr, 16));
            at += 4;
        } else {
            out += text[at];
        }
    }
    ++at;
    return out;
}

// The value of "key" in the object text, as text (a string's content, or a number's digits).
std::string Field(const std::string& object, const std::string& key) {
    size_t at = object.find("\"" + key + "\": ");
    if (at == std::string::npos) {
        return std::string();
    }
    at += key.size() + 4;
    if (object[at] == '"') {
        return ReadJsonString(object, at);
    }
    return object.substr(at, object.find_first_of(",}", at) - at);
}

}  // namespace

std::set<Problem> CheckerGameProblems(const std::string& json) {
    std::set<Problem> problems;
    // The checker writes one object per line.
    size_t start = 0;
    while ((start = json.find("\n  {", start)) != std::string::npos) {
        const size_t end = json.find('\n', start + 1);
        const std::string object = json.substr(start + 1, end - start - 1);
        start = end;
        if (Field(object, "origin") != "game" || Field(object, "severity") != "error") {
            continue;
        }
        // The count of folded repeats is the checker's; the game side counts each once.
        std::string message = Field(object, "message");
        const size_t folded = message.rfind(" (and ");
        if (folded != std::string::npos &&
            message.compare(message.size() - 14, 14, " in this file)") == 0) {
            message.erase(folded);
        }
        problems.insert({Field(object, "file"), std::stoi(Field(object, "line")), message});
    }
    return problems;
}
