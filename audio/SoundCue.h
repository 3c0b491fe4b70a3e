#pragma once
// The game moments a sound set can bind to a sound, and their names in the set file's
// "cue event" attribute.

#include <string>

enum class SoundCue {
    ShipFire,        // one volley of the ship's weapon, whatever its number of shots
    RingBurst,       // the ship's ring of shots
    EnemyFire,       // one enemy shot
    EnemyDestroyed,  // an enemy shot down (not one that left the screen)
    ShipHit,         // the ship lost health and lives on
    ShipDestroyed,   // the ship's health ran out
    ShipReturn,      // the ship is back after losing a life
    Button,          // an interface button was clicked
    GameOver,        // no life left
    LevelComplete,   // every enemy of the level is gone
    TitleMusic,      // the music track of the title screen
    Count
};

constexpr int kSoundCueCount = static_cast<int>(SoundCue::Count);

// The cue's event name ("shipfire", ...).
const char* CueName(SoundCue cue);
// The cue named so; false when the name is none of them.
bool CueFromName(const std::string& name, SoundCue& cue);
// True for the cue bound to a music track (TitleMusic); every other cue plays a sample.
bool CueWantsMusic(SoundCue cue);
