#pragma once
// Plays the game's sounds: reads the sound set named by the configuration, loads its files
// into a mixer and plays the sound bound to each game moment when the game reports it
// (Cue), and the music track the world asks for (PlayMusic).
//
// Without a mixer, or before Start, every call does nothing: a game whose configuration names
// no sound set behaves as one without sound. Nothing here ever changes a game rule, and no
// call waits for the audio device. Every problem is logged once, at Start (and again at each
// Reload of the set); those of the data (the set file, a sound that will not load) are
// reported as data problems (core/Diagnostics.h).
//
// For live reload it is the sound set's reloader (core/DataReloader.h): a changed set file or
// sound file reads the set again and loads its sounds; the track playing starts again.

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "audio/CSoundSet.h"
#include "audio/IMixer.h"
#include "core/DataReloader.h"

// The log text (without the "CSound: " prefix and the line end) of a music name that is no
// <music> of the set: a name the set does not know, or one of its samples. The data checker
// reports the same words.
std::string UnknownMusicText(const std::string& name);

class CSoundManager : public DataReloader {
public:
    static CSoundManager* GetInstance();

    // Reads the set file, takes the mixer, opens it and loads every sound the set names.
    // masterVolume is in percent (0..100). A set that cannot be read, or no device: one log
    // line and silence.
    void Start(std::unique_ptr<IMixer> mixer, const std::string& setFile, int masterVolume);
    // Stops everything, closes the mixer and forgets the set.
    void Shutdown();

    // Plays the sample bound to the cue. The ship's hits are heard at most once per
    // kShipHitInterval ms of the game clock.
    void Cue(SoundCue cue);
    // Makes the named track the one looping; the same name keeps it playing, "" stops the
    // music. An unknown name is logged once per name.
    void PlayMusic(const std::string& name);
    // The track bound to the "titlemusic" cue ("" when none).
    std::string TitleMusic() const;
    // Pauses or resumes the music (the game's pause).
    void SetMusicPaused(bool paused);
    // The player's volumes in percent (clamped to 0..100): master over every sound, music over
    // the tracks, effects over the samples. The track playing takes its new volume at once.
    void SetVolumes(int master, int music, int effects);
    // Mutes or unmutes everything; muting stops the samples playing.
    void ToggleMute();
    bool IsMuted() const { return m_muted; }
    bool IsStarted() const { return m_mixer != nullptr; }
    // The sound set read by the last Start (empty before, and after Shutdown).
    const CSoundSet& GetSet() const { return m_set; }

    // The set file, or a sound file it names.
    std::vector<std::string> FilesAffectedBy(const std::string& path) const override;
    // Reads the set again and loads its sounds; when the set and every sound load without a
    // problem they replace the ones in use (freed) and the track playing starts again from
    // its beginning; otherwise the set in use stays as it was. Without a sound device the set
    // is only read (its problems reported): nothing plays until the next start.
    bool Reload(const std::string& fileName) override;

    static constexpr uint32_t kShipHitInterval = 250;

private:
    CSoundManager() = default;

    struct Loaded {
        size_t entry;  // index in the set's entries
        int handle;
    };
    // The entry of a loaded sound.
    const SoundEntry& EntryOf(const Loaded& loaded) const { return m_set.Entries()[loaded.entry]; }
    const Loaded* FindLoaded(const std::string& name) const;
    // Loads every sound of the set into the mixer; each that will not load is reported.
    void LoadSounds(const CSoundSet& set, std::vector<Loaded>& loaded);
    // Frees the loaded sounds of the set.
    void FreeSounds(const CSoundSet& set, const std::vector<Loaded>& loaded);
    // Plays the current track again from the set in use, paused when it was.
    void RestartMusic();
    // Notes the sound files the set names, for FilesAffectedBy.
    void NoteSoundFiles(const CSoundSet& set);
    // Mixer volume (0..128) of a sound at percent volume, after the master volume and the
    // share (percent) of its kind, music or effects.
    int MixerVolume(int percent, int share) const;

    std::unique_ptr<IMixer> m_mixer;
    CSoundSet m_set;
    std::vector<Loaded> m_loaded;
    // Every sound file a reading of the set named, kept or not: one added or fixed after a
    // reading that could not load it reads the set again.
    std::set<std::string> m_soundFiles;
    std::vector<std::string> m_reportedMusic;
    std::string m_music;
    int m_musicVolume = 100;
    int m_masterVolume = 100;
    int m_musicShare = 100;    // the player's music volume, percent
    int m_effectsShare = 100;  // the player's effects volume, percent
    bool m_muted = false;
    bool m_musicPaused = false;
    bool m_shipHitHeard = false;
    uint32_t m_lastShipHit = 0;
};
