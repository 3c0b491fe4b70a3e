#include "world/KeyName.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
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

// In order: the keypad's digits 0 to 9 and the function keys F1 to F15. Listed rather than
// counted from the first: the browser's SDL numbers them in another order.
const SDLKey kKeypadDigits[] = {SDLK_KP0, SDLK_KP1, SDLK_KP2, SDLK_KP3, SDLK_KP4,
                                SDLK_KP5, SDLK_KP6, SDLK_KP7, SDLK_KP8, SDLK_KP9};
const SDLKey kFunctionKeys[] = {SDLK_F1,  SDLK_F2,  SDLK_F3,  SDLK_F4,  SDLK_F5,
                                SDLK_F6,  SDLK_F7,  SDLK_F8,  SDLK_F9,  SDLK_F10,
                                SDLK_F11, SDLK_F12, SDLK_F13, SDLK_F14, SDLK_F15};

// The place of key in keys, or -1.
template <size_t N>
int PlaceOf(const SDLKey (&keys)[N], SDLKey key) {
    for (size_t i = 0; i < N; ++i) {
        if (keys[i] == key) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

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
    const int digit = PlaceOf(kKeypadDigits, key);
    if (digit >= 0) {
        return "keypad " + std::to_string(digit);
    }
    const int function = PlaceOf(kFunctionKeys, key);
    if (function >= 0) {
        return "f" + std::to_string(function + 1);
    }
    if (IsPrintable(key)) {
        return std::string(1, static_cast<char>(key));
    }
    return "";
}

bool KeyFromName(const std::string& name, SDLKey& key) {
    const std::string wanted = Lower(name);
    for (int code = SDLK_UNKNOWN + 1; code < SDLK_LAST; ++code) {
        const SDLKey candidate = static_cast<SDLKey>(code);
        const std::string known = KeyName(candidate);
        if (!known.empty() && known == wanted) {
            key = candidate;
            return true;
        }
    }
    return false;
}
