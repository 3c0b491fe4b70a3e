// The options screen's side in the world: each option's text and level, and the changes the
// player makes there, saved to the settings file and put into effect at once (vertical sync
// waits for the next start: the driver takes it when the window is made).
#include "world/ShooterWorld.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "audio/CSoundManager.h"
#include "core/DataLayers.h"
#include "gui/CGUI.h"
#include "gui/CGUILayer.h"
#include "world/KeyName.h"

namespace {

constexpr char kBindPrefix[] = "bind:";
// The frame caps the screen offers, in frames per second (0: none).
constexpr std::array<uint32_t, 5> kFrameCaps = {0, 30, 60, 120, 144};

int* VolumeOf(Settings& settings, const std::string& option) {
    if (option == "master") {
        return &settings.masterVolume;
    }
    if (option == "music") {
        return &settings.musicVolume;
    }
    if (option == "effects") {
        return &settings.effectsVolume;
    }
    return nullptr;
}

// The action of a "bind:ACTION" option; false for another option.
bool ActionOf(const std::string& option, Action& action) {
    const std::string prefix = kBindPrefix;
    return option.compare(0, prefix.size(), prefix) == 0 &&
           KeyBindings::ActionFromName(option.substr(prefix.size()), action);
}

// The folder name of the installed mod a "mod:N" option shows (N from 1); false for another
// option, or when fewer mods are installed.
bool InstalledMod(const std::string& option, std::string& name) {
    const std::string prefix = "mod:";
    if (option.compare(0, prefix.size(), prefix) != 0 || option.size() != prefix.size() + 1 ||
        option.back() < '1' || option.back() > '9') {
        return false;
    }
    const std::vector<std::string> names =
        DataLayers::InstalledNames(DataLayers::InstalledFolder());
    const size_t index = static_cast<size_t>(option.back() - '1');
    if (index >= names.size()) {
        return false;
    }
    name = names[index];
    return true;
}

bool IsOff(const Settings& settings, const std::string& mod) {
    return std::find(settings.modsOff.begin(), settings.modsOff.end(), mod) !=
           settings.modsOff.end();
}

// The next (step > 0) or previous choice of count, coming round at either end.
int Turn(int index, int count, int step) {
    return ((index + (step > 0 ? 1 : -1)) % count + count) % count;
}

// The next or previous difficulty the data defines; from a name it does not, the first.
std::string NextDifficulty(const std::vector<Difficulty>& list, const std::string& now,
                           int step) {
    const auto at = std::find_if(list.begin(), list.end(),
                                 [&now](const Difficulty& d) { return d.Name() == now; });
    if (at == list.end()) {
        return list.front().Name();
    }
    const int index = static_cast<int>(at - list.begin());
    return list[static_cast<size_t>(Turn(index, static_cast<int>(list.size()), step))].Name();
}

std::string Capitals(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

uint32_t NextFrameCap(uint32_t now, int step) {
    const auto at = std::find(kFrameCaps.begin(), kFrameCaps.end(), now);
    const int index = at == kFrameCaps.end() ? 0 : static_cast<int>(at - kFrameCaps.begin());
    return kFrameCaps[static_cast<size_t>(Turn(index, kFrameCaps.size(), step))];
}

std::string BindingText(const KeyBindings& bindings, Action action) {
    std::string text;
    for (size_t slot = 0; slot < KeyBindings::kKeysPerAction; ++slot) {
        const SDLKey key = bindings.Key(action, slot);
        if (key != SDLK_UNKNOWN) {
            text += (text.empty() ? "" : " / ") + KeyName(key);
        }
    }
    if (bindings.Button(action) >= 0) {
        text += (text.empty() ? "PAD " : "  PAD ") + std::to_string(bindings.Button(action));
    }
    return text.empty() ? "NONE" : text;
}

}  // namespace

std::string ShooterWorld::Options::Text(const std::string& option) const {
    Settings settings = m_world->m_settings.Current();
    Action action = Action::Up;
    if (const int* volume = VolumeOf(settings, option)) {
        return std::to_string(*volume);
    }
    if (option == "fullscreen") {
        return m_world->m_window.IsFullScreen() ? "ON" : "OFF";
    }
    if (option == "scaling") {
        return Settings::ScalingName(settings.scaling);
    }
    if (option == "motionblur") {
        return Settings::BlurName(settings.blur);
    }
    if (option == "vsync") {
        return settings.vsync ? "ON" : "OFF";
    }
    if (option == "difficulty") {
        return Capitals(settings.difficulty);
    }
    if (option == "maxfps") {
        return settings.maxFps == 0 ? "NONE" : std::to_string(settings.maxFps);
    }
    if (ActionOf(option, action)) {
        return BindingText(settings.bindings, action);
    }
    std::string mod;
    if (InstalledMod(option, mod)) {
        return mod + (IsOff(settings, mod) ? ": OFF" : ": ON");
    }
    // A mod row beyond the installed mods shows a dash; any other name is not an option.
    return option.compare(0, 4, "mod:") == 0 ? "-" : "?";
}

int ShooterWorld::Options::Level(const std::string& option) const {
    Settings settings = m_world->m_settings.Current();
    const int* volume = VolumeOf(settings, option);
    return volume ? *volume : 0;
}

void ShooterWorld::Options::SetLevel(const std::string& option, int level) {
    Settings probe;
    if (!VolumeOf(probe, option)) {
        return;
    }
    m_world->m_settings.Change(
        [&](Settings& settings) { *VolumeOf(settings, option) = std::clamp(level, 0, 100); });
    PutIntoEffect();
}

void ShooterWorld::Options::Step(const std::string& option, int step) {
    Settings now = m_world->m_settings.Current();
    if (const int* volume = VolumeOf(now, option)) {
        SetLevel(option, *volume + step);
        return;
    }
    if (option == "fullscreen") {
        // As F11 does: the window's state, whatever the system allowed, is what is kept.
        m_world->ToggleFullScreen();
        const bool fullScreen = m_world->m_window.IsFullScreen();
        m_world->m_settings.Change([&](Settings& settings) { settings.fullScreen = fullScreen; });
        return;
    }
    std::string mod;
    if (InstalledMod(option, mod)) {
        // Laid over the data, or not, from the next start.
        m_world->m_settings.Change([&](Settings& settings) {
            std::vector<std::string>& off = settings.modsOff;
            if (IsOff(settings, mod)) {
                off.erase(std::find(off.begin(), off.end(), mod));
            } else {
                off.push_back(mod);
                std::sort(off.begin(), off.end());
            }
        });
        return;
    }
    m_world->m_settings.Change([&](Settings& settings) {
        if (option == "scaling") {
            settings.scaling = settings.scaling == PictureScaling::Smooth ? PictureScaling::Sharp
                                                                          : PictureScaling::Smooth;
        } else if (option == "motionblur") {
            settings.blur = static_cast<BlurMethod>(Turn(static_cast<int>(settings.blur), 3, step));
        } else if (option == "vsync") {
            settings.vsync = !settings.vsync;
        } else if (option == "maxfps") {
            settings.maxFps = NextFrameCap(settings.maxFps, step);
        } else if (option == "difficulty") {
            settings.difficulty = NextDifficulty(m_world->m_difficulties, settings.difficulty, step);
        }
    });
    PutIntoEffect();
    // A new scaling takes the window as it is.
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (option == "scaling" && screen) {
        m_world->m_window.Adopt(screen, m_world->m_window.AccumulationBits());
        m_world->m_window.SetFixedState();
    }
}

void ShooterWorld::Options::BindKey(const std::string& option, int key) {
    Action action = Action::Up;
    if (!ActionOf(option, action) || key <= SDLK_UNKNOWN || key >= SDLK_LAST) {
        return;
    }
    m_world->m_settings.Change([&](Settings& settings) {
        const SDLKey first = settings.bindings.Key(action, 0);
        settings.bindings.SetKey(action, 0, static_cast<SDLKey>(key));
        // The old first key moves to the second place, unless it is the key just bound.
        if (first != static_cast<SDLKey>(key)) {
            settings.bindings.SetKey(action, 1, first);
        }
    });
    PutIntoEffect();
}

void ShooterWorld::Options::BindButton(const std::string& option, int button) {
    Action action = Action::Up;
    if (!ActionOf(option, action) || button < 0 || button > KeyBindings::kMaxButton) {
        return;
    }
    m_world->m_settings.Change([&](Settings& settings) { settings.bindings.SetButton(action, button); });
    PutIntoEffect();
}

bool ShooterWorld::Options::Command(const std::string& name) {
    CGUI* gui = CGUI::GetInstance();
    if (name == "options") {
        const CGUILayer* active = gui->GetActiveLayer();
        if (gui->HasLayer("options") && active && active->GetName() != "options") {
            m_returnLayer = active->GetName();
            gui->SetActiveLayer("options");
        }
        return true;
    }
    if (name == "back") {
        if (!m_returnLayer.empty()) {
            gui->SetActiveLayer(m_returnLayer);
        }
        return true;
    }
    if (name == "restoredefaults") {
        const Settings defaults = m_world->m_settings.Defaults();
        if (defaults.fullScreen != m_world->m_window.IsFullScreen()) {
            m_world->ToggleFullScreen();
        }
        m_world->m_settings.Change([&](Settings& settings) { settings = defaults; });
        PutIntoEffect();
        return true;
    }
    return false;
}

void ShooterWorld::Options::PutIntoEffect() {
    ShooterWorld& world = *m_world;
    const Settings& settings = world.m_settings.Current();
    world.ApplySettings();
    if (settings.blur == BlurMethod::Auto) {
        world.m_ring.SetBlending(world.AutomaticBlend() || world.m_window.AccumulationBits() == 0);
    } else if (world.m_window.AccumulationBits() == 0) {
        world.m_ring.SetBlending(true);
    }
    world.m_ring.NoteSceneChange();
    TakeDifficulty();
}

void ShooterWorld::Options::TakeDifficulty() {
    ShooterWorld& world = *m_world;
    const std::string& name = world.m_settings.Current().difficulty;
    if (world.m_level.InPlay() ||
        Difficulty::Find(world.m_difficulties, name).Name() == world.m_level.GetDifficulty().Name()) {
        return;
    }
    // The recording begun for the level as it was is dropped (not in play: nothing is kept).
    world.m_recording.End(world.m_level, world.m_session);
    world.ChooseDifficulty();
    world.m_level.Reload();
    world.m_recording.Begin(world.m_level);
}
