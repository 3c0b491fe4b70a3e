#pragma once
// What the options screen's widgets need of the game's settings: the text and level of each
// option, and the changes a player makes. The world implements it and registers itself while
// it exists, so the interface reaches the settings without including the world.
//
// Options are named: "master", "music" and "effects" (volumes, levels 0 to 100); "fullscreen",
// "scaling", "motionblur", "vsync" and "maxfps" (choices); "bind:ACTION" (an action's keys and
// pad button, ACTION as in the settings file: "fire", "up", "weapon1"...); "mod:1" to "mod:9" (the
// installed mods in name order, on or off from the next start; "-" past the last). A name the
// game does not have shows "?" and changes nothing.

#include <string>

class OptionValues {
public:
    virtual ~OptionValues() = default;

    // What the option's value column shows, in capitals ("80", "SMOOTH", "SPACE / LEFT CTRL").
    virtual std::string Text(const std::string& option) const = 0;
    // A volume's level, 0 to 100 (0 for other options).
    virtual int Level(const std::string& option) const = 0;
    // A volume by step points (clamped to 0..100); a choice to its next (step > 0) or previous
    // (step < 0) value, coming round at either end.
    virtual void Step(const std::string& option, int step) = 0;
    // A volume set to level (clamped to 0..100).
    virtual void SetLevel(const std::string& option, int level) = 0;
    // "bind:ACTION": key (an SDL key symbol) becomes the action's first key, its first key its
    // second; a pad button (0 to 31) becomes the action's button.
    virtual void BindKey(const std::string& option, int key) = 0;
    virtual void BindButton(const std::string& option, int button) = 0;

    // The registered values, or null when no world exists.
    static OptionValues* Current() { return s_current; }
    static void Register(OptionValues* values) { s_current = values; }
    static void Unregister(const OptionValues* values) {
        if (s_current == values) {
            s_current = nullptr;
        }
    }

private:
    static inline OptionValues* s_current = nullptr;
};
