#include "tools/check/SoundChecker.h"

#include <tinyxml.h>

#include <filesystem>

#include "audio/CSoundSet.h"
#include "audio/SoundCue.h"
#include "core/DataPath.h"
#include "core/XmlRead.h"
#include "platform/FileSystem.h"

namespace {

void CheckSound(CheckContext& context, const TiXmlElement* sound, const std::string& baseDir,
                const std::string& file) {
    const Place at = PlaceOf(file, sound);
    const std::string soundName = AttributeText(sound, "name");
    // The game reads the samples before the music tracks and keeps the first of a name, so a
    // music track named like a sample is the sample.
    const bool first = context.sounds.count(soundName) == 0;
    context.Define(context.sounds, "sound", soundName, at);
    if (first && sound->Value() == std::string("music")) {
        context.musicTracks.insert(soundName);
    }
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

void CheckCue(CheckContext& context, const TiXmlElement* element, const std::string& file) {
    const Place at = PlaceOf(file, element);
    const std::string event = AttributeText(element, "event");
    SoundCue cue = SoundCue::Count;
    const bool known = CueFromName(event, cue);
    if (!known) {
        context.Error(at, "unknown cue event " + Quoted(event));
    }
    const std::string sound = AttributeText(element, "sound");
    if (context.sounds.count(sound) == 0) {
        context.Error(at, "unknown sound " + Quoted(sound) + ": the set defines no such sound");
    } else if (known && (context.musicTracks.count(sound) != 0) != CueWantsMusic(cue)) {
        context.Error(at, WrongKindCueText(cue, sound, file));
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
    xml::ForEachChild(set, "cue", [&](const TiXmlElement* cue) { CheckCue(context, cue, path); });
}
