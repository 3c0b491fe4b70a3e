#include "world/KeyName.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

struct NamedKey {
    SDLKey key;
    const char* name;
};

// Keys whose name is not their own printable character.
const NamedKey kNamedKeys[] = {
    {SDLK_BACKSPACE, "backspace"}, {SDLK_TAB, "tab"},
    {SDLK_RETURN, "return"},       {SDLK_PAUSE, "pause"},
    {SDLK_ESCAPE, "escape"},       {SDLK_SPACE, "space"},
    {SDLK_DELETE, "delete"},       {SDLK_KP_PERIOD, "keypad ."},
    {SDLK_KP_DIVIDE, "keypad /"},  {SDLK_KP_MULTIPLY, "keypad *"},
    {SDLK_KP_MINUS, "keypad -"},   {SDLK_KP_PLUS, "keypad +"},
    {SDLK_KP_ENTER, "keypad enter"}, {SDLK_UP, "up"},
    {SDLK_DOWN, "down"},           {SDLK_RIGHT, "right"},
    {SDLK_LEFT, "left"},           {SDLK_INSERT, "insert"},
    {SDLK_HOME, "home"},           {SDLK_END, "end"},
    {SDLK_PAGEUP, "page up"},      {SDLK_PAGEDOWN, "page down"},
    {SDLK_RSHIFT, "right shift"},  {SDLK_LSHIFT, "left shift"},
    {SDLK_RCTRL, "right ctrl"},    {SDLK_LCTRL, "left ctrl"},
    {SDLK_RALT, "right alt"},      {SDLK_LALT, "left alt"},
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool IsPrintable(int key) { return key > SDLK_SPACE && key < SDLK_DELETE && !std::isupper(key); }

}  // namespace

std::string KeyName(SDLKey key) {
    for (const NamedKey& named : kNamedKeys) {
        if (named.key == key) {
            return named.name;
        }
    }
    if (key >= SDLK_KP0 && key <= SDLK_KP9) {
        return "keypad " + std::to_string(key - SDLK_KP0);
    }
    if (key >= SDLK_F1 && key <= SDLK_F15) {
        return "f" + std::to_string(key - SDLK_F1 + 1);
    }
    if (IsPrintable(key)) {
        return std::string(1, static_cast<char>(key));
    }
    return "";
}

bool KeyFromName(const std::string& name, SDLKey& key) {
    const std::string wanted = Lower(name);
    for (int code = SDLK_FIRST + 1; code < SDLK_LAST; ++code) {
        const SDLKey candidate = static_cast<SDLKey>(code);
        const std::string known = KeyName(candidate);
        if (!known.empty() && known == wanted) {
            key = candidate;
            return true;
        }
    }
    return false;
}
