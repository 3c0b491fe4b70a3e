#include "tools/check/SoundChecker.h"

#include <tinyxml.h>

#include <filesystem>

#include "core/DataPath.h"
#include "core/XmlRead.h"
#include "platform/FileSystem.h"

namespace {

// The game moments a cue can bind.
const char* const kCueEvents[] = {"shipfire", "ringburst",     "enemyfire",  "enemydestroyed",
                                  "shiphit",  "shipdestroyed", "shipreturn", "button",
                                  "gameover", "levelcomplete", "titlemusic"};

bool KnownCue(const std::string& event) {
    for (const char* name : kCueEvents) {
        if (event == name) {
            return true;
        }
    }
    return false;
}

void CheckSound(CheckContext& context, const TiXmlElement* sound, const std::string& baseDir,
                const std::string& file) {
    const Place at = PlaceOf(file, sound);
    context.Define(context.sounds, "sound", AttributeText(sound, "name"), at);
    const std::string name = xml::Text(sound);
    if (name.empty()) {
        context.Error(at, std::string("<") + sound->Value() + "> names no sound file");
        return;
    }
    const std::string path = DataFileName(JoinDataPath(baseDir, name));
    std::error_code error;
    if (!std::filesystem::is_regular_file(platform::NativePath(path), error)) {
        context.Error(at, "cannot read sound file " + path);
    }
}

}  // namespace

void CheckSoundSet(CheckContext& context, const std::string& path, const Place& from) {
    std::unique_ptr<TiXmlDocument> document;
    const TiXmlElement* set = context.OpenSet(path, from, DataKind::SoundSet, "soundset", document);
    if (!set) {
        return;
    }
    context.soundsLoaded = true;
    const std::string baseDir = AttributeText(set, "basedir");
    for (const char* kind : {"sample", "music"}) {
        xml::ForEachChild(set, kind, [&](const TiXmlElement* sound) {
            CheckSound(context, sound, baseDir, path);
        });
    }
    xml::ForEachChild(set, "cue", [&](const TiXmlElement* cue) {
        const Place at = PlaceOf(path, cue);
        const std::string event = AttributeText(cue, "event");
        if (!KnownCue(event)) {
            context.Error(at, "unknown cue event " + Quoted(event));
        }
        const std::string sound = AttributeText(cue, "sound");
        if (context.sounds.count(sound) == 0) {
            context.Error(at, "unknown sound " + Quoted(sound) + ": the set defines no such sound");
        }
    });
}
