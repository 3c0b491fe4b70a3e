#pragma once
// The one world object. It owns the game's parts and runs them in the designed order; every
// subsystem that needs it reaches it through GetInstance(), the actors and the interface
// through the ActorStage interface of its level part.
//
// The parts, each with private state behind a small interface:
// - VideoWindow: the window, its video modes and the fixed drawing state;
// - FrameRing: the motion-blur frame ring, its compositions and the paused world's picture;
// - LevelPlay: the level in play, its actors, its clock and the rules step;
// - GameSession: pause, quitting, the game's end, play again, best scores, music;
// - InputMapping: SDL's events in, game commands out, which the world carries out;
// - PlayerSettings: the settings in effect, from the data, the settings file and the command
//   line.

#include <SDL/SDL.h>

#include <string>
#include <vector>

#include "core/TSingleton.h"
#include "events/IEventListener.h"
#include "game/Difficulty.h"
#include "gui/OptionValues.h"
#include "world/CommandSink.h"
#include "world/FrameRing.h"
#include "world/GameRecording.h"
#include "world/GameSession.h"
#include "world/InputMapping.h"
#include "world/LevelPlay.h"
#include "world/PlayerSettings.h"
#include "world/ProblemOverlay.h"
#include "world/VideoWindow.h"

class TiXmlElement;

class ShooterWorld : public TSingleton<ShooterWorld>, public IEventListener {
public:
    ShooterWorld();
    ~ShooterWorld() override;

    // Start-up: configuration, window, resources, interface, level, explosions, listeners.
    // A start-up that cannot work (no configuration, no window) logs and sets the quit flag.
    void Init();
    // Start-up steps on the "config" element: window size, layer names, motion blur and
    // pacing; then the sprite, animation and font sets in that order (after InitGL, which
    // textures need).
    void ReadConfig(const TiXmlElement* config);
    void LoadResourceSets(const TiXmlElement* config);
    // The settings config.xml gives before the player's file and the command line override
    // them: master volume, vertical sync and frame cap (ReadConfig has read them).
    Settings DataDefaults(const TiXmlElement* config) const;
    // Hands the settings in effect to the parts: pacing, the blur composition, the bindings.
    void ApplySettings();
    // The difficulty the settings name becomes the one the next level loaded is played at and
    // whose best scores are shown. A name config.xml does not define is logged (once) and
    // normal is played; so is a replay being watched (recording off), which holds the data's
    // own numbers.
    void ChooseDifficulty();
    // The difficulties config.xml defines, normal among them.
    const std::vector<Difficulty>& Difficulties() const { return m_difficulties; }
    // Window, OpenGL state and frame ring; false on failure.
    bool InitGL();
    bool IsQuit() const { return m_session.IsQuit(); }
    // One tick: UpdateWorld (twice in motion-blur mode, advancing the ring slot first), the
    // end of a recorded game (or of a campaign's level), the next level of a campaign when its
    // wait is over, then the music. Exceptions are logged and the rest of the update is
    // skipped.
    void Update(float& dt);
    // Delivers the queued events, updates the interface, then one step of the rules while a
    // level is loaded and the game is not paused.
    void UpdateWorld(float& dt);
    // One recorded update of a replay being watched, in place of UpdateWorld: its commands,
    // the queued events, its paused state (shown as the player would have seen it), then the
    // rules' step on the recorded clock readings (clock plays them back).
    void PlayUpdate(const ReplayUpdate& update, ReplayClock& clock);
    // One frame, plain or motion-blurred, the title's Continue shown or hidden first
    // (GameSession::OfferContinue).
    void Render();
    // The world part, then the interface.
    void DrawScene();
    // DrawScene for a paused world: the world part comes from the kept picture once kept.
    void DrawPausedScene();
    // One SDL event: through the input mapping into commands and interface records.
    void HandleSDLEvent(SDL_Event& event);
    // Game flow: pause, quit, restart, death and no-more-lives. Never consumes the event.
    bool HandleEvent(IEvent* event) override;
    // Releases actors, interface, resources, the frame ring and SDL, in that order.
    void Shutdown();
    // Builds camera, player, background and enemies from a level file; false when unusable.
    bool LoadLevel(const std::string& fileName);
    // Play again: records the score of a game in play, reads the level file (a campaign's
    // first) anew, clears projectiles and explosions and returns to the state of a fresh start.
    void Restart();
    // Continue (the interface command "continue"): records the score of a game in play and
    // starts a fresh game at the furthest campaign level reached (GameSession::Continue). Such
    // a game is not recorded: a replay begins at the campaign's first level. Nothing when
    // there is no level to continue.
    void Continue();
    // Between two levels of a campaign: the next level starts (GameSession::EnterNextLevel),
    // the gamepad's held directions forgotten as for a new ship. Nothing otherwise.
    void NextLevel();
    // Live reload (--watch): reloads the data files changed since they were read, looked at
    // every DataWatch::kPollMs; nothing while the watch is off. A changed level file starts
    // the level again from its beginning.
    void ReloadChangedData();
    // F11 and Alt+Enter: full screen and back, in place when the system can, else by opening
    // the video mode again and rebuilding what lives in the OpenGL context.
    void ToggleFullScreen();
    // The player resized the window: the picture is fitted to the new size (letterboxed, scaled
    // as the settings say), rebuilding what lives in the context where the system made a new one.
    void ResizeWindow(int width, int height);
    // Rebuilds what lives in the OpenGL context for a video mode just opened (screen, with
    // accumBits accumulation bits per channel): the fixed state, every sprite texture and the
    // frame ring. A screen larger than the picture gets the picture centred.
    void AdoptVideoMode(const SDL_Surface* screen, int accumBits);

    // The accessors of the designed world, for the level in play.
    ShooterCamera* GetCamera() const { return m_level.GetCamera(); }
    ShooterPlayer* GetPlayer() const { return m_level.GetPlayer(); }
    ShooterBackground* GetBackground() const { return m_level.GetBackground(); }
    // Appends a projectile; the level in play owns it from now on.
    void AddProjectile(ShooterProjectile* projectile) { m_level.AddProjectile(projectile); }

    VideoWindow& Window() { return m_window; }
    FrameRing& Ring() { return m_ring; }
    LevelPlay& Level() { return m_level; }
    const LevelPlay& Level() const { return m_level; }
    GameSession& Session() { return m_session; }
    const ProblemOverlay& Problems() const { return m_problems; }
    const InputMapping& Input() const { return m_input; }
    GameRecording& Recording() { return m_recording; }
    PlayerSettings& PlayerChoices() { return m_settings; }

private:
    // Carries out the input mapping's commands on the world's parts.
    class Commands : public CommandSink {
    public:
        explicit Commands(ShooterWorld* world) : m_world(world) {}
        void Execute(const GameCommand& command) override;
        void ToInterface(int& x, int& y) const override;
        void Screenshot() override { m_world->m_screenshotWanted = true; }

    private:
        ShooterWorld* m_world;
    };

    // The options screen's view of the settings: what its widgets show and the changes they
    // make, each saved and put into effect at once; and its commands.
    class Options : public OptionValues {
    public:
        explicit Options(ShooterWorld* world) : m_world(world) { Register(this); }
        ~Options() override { Unregister(this); }
        Options(const Options&) = delete;
        Options& operator=(const Options&) = delete;

        std::string Text(const std::string& option) const override;
        int Level(const std::string& option) const override;
        void Step(const std::string& option, int step) override;
        void SetLevel(const std::string& option, int level) override;
        void BindKey(const std::string& option, int key) override;
        void BindButton(const std::string& option, int button) override;
        // The interface's commands for the options screen: "options" shows the layer named
        // "options" (remembering the layer to go back to), "back" goes back to it,
        // "restoredefaults" gives every setting its default. False for any other name.
        bool Command(const std::string& name);

    private:
        // The settings in effect handed to the parts that take them while the game runs.
        void PutIntoEffect();
        // Before play starts, a new difficulty is taken at once: the level is read again at it
        // and the title shows its best score. A game in play keeps its own.
        void TakeDifficulty();

        ShooterWorld* m_world;
        std::string m_returnLayer;
    };

    // Loads the first level of the campaign, or without one the <defaults> level.
    void LoadFirstLevel(const TiXmlElement* config);
    // Opens the audio device and loads the sound set when the configuration names one.
    void StartSound(const TiXmlElement* config);
    // Builds the frame ring and its blender for the window open now; false when the
    // framebuffer is incomplete.
    bool BuildFrameRing();
    // The first time motion blur is switched on in a run with the automatic setting, where
    // config.xml names no composition and both are available: both are measured and the
    // faster one that composes right is kept for the run (logged).
    void MeasureBlurOnFirstUse();
    // The automatic setting's composition: the measured one, else config.xml's.
    bool AutomaticBlend() const { return m_blurMeasured ? m_measuredBlend : m_dataBlends; }
    void DrawWorldPart();
    // Saves the picture drawn into the back buffer when a screenshot was asked for.
    void SaveScreenshotIfWanted();
    void RenderMotionBlur();

    VideoWindow m_window;
    FrameRing m_ring;
    LevelPlay m_level;
    GameSession m_session{m_level};
    InputMapping m_input;
    PlayerSettings m_settings;
    // The data problems reported since start-up, listed on screen with F9.
    ProblemOverlay m_problems;
    Commands m_commands{this};
    Options m_options{this};
    // config.xml's motion-blur composition is blending: the automatic choice's answer.
    bool m_dataBlends = false;
    bool m_dataNamesBlur = false;  // config.xml has a motionblur attribute
    bool m_blurMeasured = false;
    bool m_measuredBlend = false;
    std::vector<Difficulty> m_difficulties{Difficulty()};
    bool m_unknownDifficultyReported = false;
    GameRecording m_recording;
    bool m_screenshotWanted = false;
};
