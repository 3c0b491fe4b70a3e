#include "world/Settings.h"

namespace {

const char* const kScalingNames[] = {"smooth", "sharp"};
const char* const kBlurNames[] = {"auto", "accum", "blend"};

template <typename Enum, size_t N>
bool FromName(const char* const (&names)[N], const std::string& name, Enum& value) {
    for (size_t i = 0; i < N; ++i) {
        if (name == names[i]) {
            value = static_cast<Enum>(i);
            return true;
        }
    }
    return false;
}

}  // namespace

const char* Settings::ScalingName(PictureScaling scaling) {
    return kScalingNames[static_cast<size_t>(scaling)];
}

bool Settings::ScalingFromName(const std::string& name, PictureScaling& scaling) {
    return FromName(kScalingNames, name, scaling);
}

const char* Settings::BlurName(BlurMethod blur) { return kBlurNames[static_cast<size_t>(blur)]; }

bool Settings::BlurFromName(const std::string& name, BlurMethod& blur) {
    return FromName(kBlurNames, name, blur);
}

bool Settings::operator==(const Settings& other) const {
    return masterVolume == other.masterVolume && musicVolume == other.musicVolume &&
           effectsVolume == other.effectsVolume && fullScreen == other.fullScreen &&
           scaling == other.scaling && blur == other.blur && vsync == other.vsync &&
           maxFps == other.maxFps && bindings == other.bindings && modsOff == other.modsOff &&
           difficulty == other.difficulty;
}
