#pragma once
// What the player may change: volumes, full screen, how the picture is scaled, the motion-blur
// composition, pacing and the bindings. The data's config.xml gives the defaults, the settings
// file (SettingsFile) overrides them, and the command line overrides both.

#include <cstdint>
#include <string>
#include <vector>

#include "world/KeyBindings.h"

// How the picture fills a window of another size: letterboxed and smoothly scaled, or in
// whole-number steps with sharp pixels.
enum class PictureScaling { Smooth, Sharp };

// The motion-blur composition: automatic (the data's choice), the accumulation buffer, or
// blending the frame ring.
enum class BlurMethod { Auto, Accumulation, Blending };

struct Settings {
    // Volumes in percent, 0 to 100.
    int masterVolume = 100;
    int musicVolume = 100;
    int effectsVolume = 100;
    bool fullScreen = false;
    PictureScaling scaling = PictureScaling::Smooth;
    BlurMethod blur = BlurMethod::Auto;
    bool vsync = false;
    // Frames per second at most; 0: no cap.
    uint32_t maxFps = 0;
    KeyBindings bindings;
    // The installed mods (by folder name, sorted) the player turned off; they take effect at
    // the next start, when the data's layers are laid.
    std::vector<std::string> modsOff;
    // The difficulty of the next game, by the name config.xml gives it.
    std::string difficulty = "normal";

    // The names used in the settings file; false for a name that is none.
    static const char* ScalingName(PictureScaling scaling);
    static bool ScalingFromName(const std::string& name, PictureScaling& scaling);
    static const char* BlurName(BlurMethod blur);
    static bool BlurFromName(const std::string& name, BlurMethod& blur);

    bool operator==(const Settings& other) const;
    bool operator!=(const Settings& other) const { return !(*this == other); }
};
