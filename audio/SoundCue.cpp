#include "audio/SoundCue.h"

namespace {

const char* const kNames[kSoundCueCount] = {
    "shipfire",   "ringburst", "enemyfire", "enemydestroyed", "shiphit",   "shipdestroyed",
    "shipreturn", "button",    "gameover",  "levelcomplete",  "titlemusic"};

}  // namespace

const char* CueName(SoundCue cue) {
    const int index = static_cast<int>(cue);
    return index >= 0 && index < kSoundCueCount ? kNames[index] : "";
}

bool CueFromName(const std::string& name, SoundCue& cue) {
    for (int i = 0; i < kSoundCueCount; ++i) {
        if (name == kNames[i]) {
            cue = static_cast<SoundCue>(i);
            return true;
        }
    }
    return false;
}

bool CueWantsMusic(SoundCue cue) {
    return cue == SoundCue::TitleMusic;
}
