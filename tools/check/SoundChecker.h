#pragma once
// Checks a sound set file: its samples and music tracks exist, and every cue binds a game
// moment the game knows to a sound the set defines, of the kind the moment plays (a music
// track for the title, samples for the rest). The sound names it defines, and which of them
// are music tracks, are kept in the context, for the level's music.

#include <string>

#include "tools/check/CheckContext.h"

void CheckSoundSet(CheckContext& context, const std::string& path, const Place& from);
