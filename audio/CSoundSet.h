#pragma once
// A sound set file as read: the named samples and music tracks with their files and volumes,
// and which sound each game moment plays. Reading loads no sound; every problem of the file
// is reported (core/Diagnostics.h) with its name and the entry is left out, so what remains
// can be trusted:
// - each name is unique, each entry names a file, each volume lies in 0..100;
// - every bound cue names an entry of the right kind (music for "titlemusic", samples for
//   the others).
//
// <soundset basedir="sounds">
//   <sample name="laser" volume="70">laser.wav</sample>
//   <music name="theme" volume="60">theme.ogg</music>
//   <cue event="shipfire" sound="laser"/>
// </soundset>

#include <string>
#include <vector>

#include "audio/SoundCue.h"

class TiXmlElement;

struct SoundEntry {
    std::string name;
    // The file as named in the set, joined to the base directory.
    std::string path;
    // Percent of full volume.
    int volume = 100;
    bool music = false;
    // Line of its element in the set file, where a sound that will not load is reported.
    int line = 0;
};

// The log text (without the "CSound: " prefix and the line end) of a cue in the set file
// that names a sound of the wrong kind for it. The data checker reports the same words.
std::string WrongKindCueText(SoundCue cue, const std::string& sound, const std::string& file);

class CSoundSet {
public:
    // Reads a set file; false (logged) when it cannot be read or has no <soundset>. Reading
    // again replaces what was read before.
    bool Load(const std::string& fileName);
    // The entry of that name, or null.
    const SoundEntry* Find(const std::string& name) const;
    // The sound bound to the cue, or "" when none is.
    const std::string& CueSound(SoundCue cue) const { return m_cues[static_cast<int>(cue)]; }
    const std::vector<SoundEntry>& Entries() const { return m_entries; }
    // The set file last read, as named to Load.
    const std::string& FileName() const { return m_fileName; }

private:
    void ReadEntry(const TiXmlElement* element, bool music, const std::string& baseDir);
    void ReadCue(const TiXmlElement* element);

    std::string m_fileName;
    std::vector<SoundEntry> m_entries;
    std::string m_cues[kSoundCueCount];
};
