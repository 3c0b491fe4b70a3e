#pragma once
// The names of keys in the settings file and on the options screen: SDL 1.2's own spelling
// ("up", "space", "left shift", "f11", "a", "1"), kept here so that a name reads the same
// whether or not SDL's video is running (SDL_GetKeyName only knows names once it is).

#include <SDL/SDL.h>

#include <string>

// The key's name; "" for SDLK_UNKNOWN and keys without one.
std::string KeyName(SDLKey key);
// The key of that name (case does not matter); false when no key has it.
bool KeyFromName(const std::string& name, SDLKey& key);
