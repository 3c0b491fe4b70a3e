#include "audio/CSoundSet.h"

#include <tinyxml.h>

#include "core/DataPath.h"
#include "core/Diagnostics.h"
#include "core/XmlRead.h"

namespace {

const char* const kWho = "CSound";

}  // namespace

std::string WrongKindCueText(SoundCue cue, const std::string& sound, const std::string& file) {
    const bool wantsMusic = CueWantsMusic(cue);
    return std::string("Cue \"") + CueName(cue) + "\" needs a " +
           (wantsMusic ? "music track" : "sample") + " but \"" + sound + "\" is a " +
           (wantsMusic ? "sample" : "music track") + " in " + file;
}

bool CSoundSet::Load(const std::string& fileName) {
    m_fileName = fileName;
    m_entries.clear();
    for (std::string& cue : m_cues) {
        cue.clear();
    }
    TiXmlBase::SetCondenseWhiteSpace(true);
    TiXmlDocument document(NormalizeDataPath(fileName).c_str());
    if (!xml::LoadFile(document)) {
        ReportProblem(fileName, document.ErrorRow(),
                      "CSound: Sound set file %s is missing or not valid XML (%s)\n",
                      fileName.c_str(), document.ErrorDesc());
        return false;
    }
    const TiXmlElement* set = xml::FindSetElement(document, "soundset");
    if (!set) {
        ReportProblem(fileName, 0, "CSound: No <soundset> element in %s\n", fileName.c_str());
        return false;
    }
    const char* baseDir = xml::OptionalText(set, "basedir");
    const std::string base = baseDir ? baseDir : "";
    xml::ForEachChild(set, "sample",
                      [&](const TiXmlElement* element) { ReadEntry(element, false, base); });
    xml::ForEachChild(set, "music",
                      [&](const TiXmlElement* element) { ReadEntry(element, true, base); });
    xml::ForEachChild(set, "cue", [this](const TiXmlElement* element) { ReadCue(element); });
    return true;
}

const SoundEntry* CSoundSet::Find(const std::string& name) const {
    for (const SoundEntry& entry : m_entries) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

void CSoundSet::ReadEntry(const TiXmlElement* element, bool music, const std::string& baseDir) {
    const char* kind = music ? "music" : "sample";
    SoundEntry entry;
    entry.music = music;
    entry.name = xml::RequiredText(element, "name", kWho);
    if (entry.name.empty()) {
        if (xml::OptionalText(element, "name")) {
            xml::ReportAt(element, "CSound: A %s has an empty name in %s\n", kind,
                          m_fileName.c_str());
        }
        return;
    }
    if (Find(entry.name)) {
        xml::ReportAt(element, "CSound: Sound \"%s\" is named twice in %s; the first is kept\n",
                      entry.name.c_str(), m_fileName.c_str());
        return;
    }
    const std::string file = xml::Text(element);
    if (file.empty()) {
        xml::ReportAt(element, "CSound: The %s \"%s\" names no file in %s\n", kind,
                      entry.name.c_str(), m_fileName.c_str());
        return;
    }
    entry.path = JoinDataPath(baseDir, file);
    entry.line = element->Row();
    const char* volume = xml::OptionalText(element, "volume");
    if (volume && (!xml::ReadInt(element, "volume", entry.volume) || entry.volume < 0 ||
                   entry.volume > 100)) {
        xml::ReportAt(element,
                      "CSound: The %s \"%s\" has volume \"%s\", not 0 to 100, in %s; 100 is used\n",
                      kind, entry.name.c_str(), volume, m_fileName.c_str());
        entry.volume = 100;
    }
    m_entries.push_back(entry);
}

void CSoundSet::ReadCue(const TiXmlElement* element) {
    const std::string event = xml::RequiredText(element, "event", kWho);
    const std::string sound = xml::RequiredText(element, "sound", kWho);
    if (!xml::OptionalText(element, "event") || !xml::OptionalText(element, "sound")) {
        return;
    }
    SoundCue cue;
    if (!CueFromName(event, cue)) {
        xml::ReportAt(element, "CSound: Unknown cue event \"%s\" in %s\n", event.c_str(),
                      m_fileName.c_str());
        return;
    }
    const SoundEntry* entry = Find(sound);
    if (!entry) {
        xml::ReportAt(element, "CSound: Cue \"%s\" names unknown sound \"%s\" in %s\n",
                      event.c_str(), sound.c_str(), m_fileName.c_str());
        return;
    }
    if (entry->music != CueWantsMusic(cue)) {
        xml::ReportAt(element, "CSound: %s\n", WrongKindCueText(cue, sound, m_fileName).c_str());
        return;
    }
    m_cues[static_cast<int>(cue)] = sound;
}
