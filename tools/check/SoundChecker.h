#pragma once
// Checks the sound set file with the game's own sound code: the set is read and every sound
// loaded through SDL_mixer as the game does (without an audio device SDL's "dummy" driver
// stands in), so a sound the game cannot play is reported in the game's words. The set's
// music tracks are kept in the context, for the level's music.

#include <string>

#include "tools/check/CheckContext.h"

void CheckSoundSet(CheckContext& context, const std::string& path);
