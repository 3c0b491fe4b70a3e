#include "audio/CSoundManager.h"

#include <algorithm>

#include "core/DataPath.h"
#include "core/Diagnostics.h"
#include "core/Log.h"
#include "core/ProblemCounter.h"
#include "platform/Clock.h"

namespace {

constexpr int kMixerFullScale = 128;

}  // namespace

std::string UnknownMusicText(const std::string& name) {
    return "Unknown music track \"" + name + "\" (not a <music> of the sound set)";
}

CSoundManager* CSoundManager::GetInstance() {
    static CSoundManager* instance = new CSoundManager();
    return instance;
}

void CSoundManager::Start(std::unique_ptr<IMixer> mixer, const std::string& setFile,
                          int masterVolume) {
    Shutdown();
    m_masterVolume = std::clamp(masterVolume, 0, 100);
    // A set that cannot be read means no sound at all, and no device is opened for it.
    if (!mixer || !m_set.Load(setFile)) {
        return;
    }
    NoteSoundFiles(m_set);
    if (!mixer->Open()) {
        LogMessage("CSound: No audio device (%s): the game plays without sound\n",
                   mixer->LastError().c_str());
        return;
    }
    m_mixer = std::move(mixer);
    LoadSounds(m_set, m_loaded);
}

void CSoundManager::LoadSounds(const CSoundSet& set, std::vector<Loaded>& loaded) {
    const std::vector<SoundEntry>& entries = set.Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const SoundEntry& entry = entries[i];
        const int handle =
            entry.music ? m_mixer->LoadMusic(entry.path) : m_mixer->LoadSample(entry.path);
        if (handle < 0) {
            ReportProblem(set.FileName(), entry.line,
                          "CSound: Cannot load sound \"%s\" from %s (%s): it stays silent\n",
                          entry.name.c_str(), entry.path.c_str(), m_mixer->LastError().c_str());
            continue;
        }
        loaded.push_back({i, handle});
    }
}

void CSoundManager::FreeSounds(const CSoundSet& set, const std::vector<Loaded>& loaded) {
    for (const Loaded& sound : loaded) {
        if (set.Entries()[sound.entry].music) {
            m_mixer->FreeMusic(sound.handle);
        } else {
            m_mixer->FreeSample(sound.handle);
        }
    }
}

std::vector<std::string> CSoundManager::FilesAffectedBy(const std::string& path) const {
    const std::string file = NormalizeDataPath(m_set.FileName());
    if (file.empty()) {
        return {};
    }
    if (path == file || m_soundFiles.count(path) != 0) {
        return {file};
    }
    return {};
}

void CSoundManager::NoteSoundFiles(const CSoundSet& set) {
    for (const SoundEntry& entry : set.Entries()) {
        m_soundFiles.insert(entry.path);
    }
}

bool CSoundManager::Reload(const std::string& fileName) {
    CSoundSet fresh;
    ProblemCounter problems;
    const bool read = fresh.Load(fileName);
    NoteSoundFiles(fresh);
    if (!read || problems.Count() != 0) {
        return false;
    }
    if (!m_mixer) {
        LogMessage("CSound: Sound set %s read again; no sound plays until the game starts again\n",
                   fileName.c_str());
        return true;
    }
    std::vector<Loaded> loaded;
    LoadSounds(fresh, loaded);
    if (problems.Count() != 0) {
        FreeSounds(fresh, loaded);
        return false;
    }
    FreeSounds(m_set, m_loaded);
    m_set = std::move(fresh);
    m_loaded = std::move(loaded);
    m_reportedMusic.clear();
    RestartMusic();
    LogMessage("CSound: Sound set %s read again\n", fileName.c_str());
    return true;
}

void CSoundManager::RestartMusic() {
    const std::string music = m_music;
    const bool paused = m_musicPaused;
    m_music.clear();
    PlayMusic(music);
    SetMusicPaused(paused);
}

void CSoundManager::Shutdown() {
    if (m_mixer) {
        m_mixer->Close();
    }
    m_mixer.reset();
    m_loaded.clear();
    m_soundFiles.clear();
    m_reportedMusic.clear();
    m_set = CSoundSet();
    m_music.clear();
    m_muted = false;
    m_musicPaused = false;
    m_shipHitHeard = false;
}

const CSoundManager::Loaded* CSoundManager::FindLoaded(const std::string& name) const {
    for (const Loaded& loaded : m_loaded) {
        if (EntryOf(loaded).name == name) {
            return &loaded;
        }
    }
    return nullptr;
}

int CSoundManager::MixerVolume(int percent, int share) const {
    return m_muted ? 0 : percent * m_masterVolume * share * kMixerFullScale / 1000000;
}

void CSoundManager::SetVolumes(int master, int music, int effects) {
    m_masterVolume = std::clamp(master, 0, 100);
    m_musicShare = std::clamp(music, 0, 100);
    m_effectsShare = std::clamp(effects, 0, 100);
    if (m_mixer) {
        m_mixer->SetMusicVolume(MixerVolume(m_musicVolume, m_musicShare));
    }
}

void CSoundManager::Cue(SoundCue cue) {
    if (!m_mixer || m_muted) {
        return;
    }
    if (cue == SoundCue::ShipHit) {
        const uint32_t now = timeGetTime();
        if (m_shipHitHeard && now - m_lastShipHit < kShipHitInterval) {
            return;
        }
        m_shipHitHeard = true;
        m_lastShipHit = now;
    }
    const Loaded* loaded = FindLoaded(m_set.CueSound(cue));
    if (loaded && !EntryOf(*loaded).music) {
        m_mixer->PlaySample(loaded->handle, MixerVolume(EntryOf(*loaded).volume, m_effectsShare));
    }
}

void CSoundManager::PlayMusic(const std::string& name) {
    if (!m_mixer || name == m_music) {
        return;
    }
    m_music = name;
    m_musicPaused = false;
    if (name.empty()) {
        m_mixer->StopMusic();
        return;
    }
    const SoundEntry* entry = m_set.Find(name);
    if (!entry || !entry->music) {
        if (std::find(m_reportedMusic.begin(), m_reportedMusic.end(), name) ==
            m_reportedMusic.end()) {
            m_reportedMusic.push_back(name);
            LogMessage("CSound: %s\n", UnknownMusicText(name).c_str());
        }
        m_mixer->StopMusic();
        return;
    }
    const Loaded* loaded = FindLoaded(name);
    if (!loaded) {
        m_mixer->StopMusic();
        return;
    }
    m_musicVolume = entry->volume;
    m_mixer->PlayMusic(loaded->handle, MixerVolume(m_musicVolume, m_musicShare));
}

std::string CSoundManager::TitleMusic() const {
    return m_set.CueSound(SoundCue::TitleMusic);
}

void CSoundManager::SetMusicPaused(bool paused) {
    if (!m_mixer || paused == m_musicPaused) {
        return;
    }
    m_musicPaused = paused;
    m_mixer->PauseMusic(paused);
}

void CSoundManager::ToggleMute() {
    if (!m_mixer) {
        return;
    }
    m_muted = !m_muted;
    if (m_muted) {
        m_mixer->StopSamples();
    }
    m_mixer->SetMusicVolume(MixerVolume(m_musicVolume, m_musicShare));
}
