#pragma once
// The one world object: owns the level's actors, the explosion manager, the OpenGL objects of
// the motion-blur frame ring, the window size and the game-flow flags. Every subsystem reaches
// it through GetInstance().
//
// Its operations live in several source files, one per concern: ShooterWorld.cpp (lifetime,
// update wrapper, accessors), ShooterWorldInit.cpp (start-up), ShooterWorldGL.cpp (window and
// OpenGL set-up), ShooterWorldRender.cpp (frames), ShooterWorldInput.cpp (SDL input),
// ShooterWorldFlow.cpp (game events), ShooterWorldShutdown.cpp, ShooterWorldUpdate.cpp (the
// rules), ShooterWorldLevel.cpp (level loading), ShooterWorldSound.cpp (sound set, music) and
// ShooterWorldDesktop.cpp (play again, best scores, pause requests and full screen). The actors
// and the interface below reach it only through the ActorStage interface it implements.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <SDL/SDL.h>

#include "core/TSingleton.h"
#include "events/IEventListener.h"
#include "game/ActorStage.h"
#include "world/RingBlender.h"
#include "world/StillScene.h"
#include "game/ScoreFile.h"
#include "game/ScoreTable.h"
#include "world/GamepadInput.h"

class ShooterBackground;
class ShooterCamera;
class ShooterEnemy;
class ShooterExplosionManager;
class ShooterPlayer;
class ShooterProjectile;
class TiXmlElement;

// Clock reading taken just after the player's last shot; one value for the whole process.
extern uint32_t g_lastFireTime;

class ShooterWorld : public TSingleton<ShooterWorld>, public IEventListener, public ActorStage {
public:
    ShooterWorld();
    // Releases the world's own members; the actors are released by Shutdown().
    ~ShooterWorld() override;

    // Start-up: configuration, window, resources, interface, level, explosions, listeners.
    // A start-up that cannot work (no configuration, no window) logs and sets the quit flag.
    void Init();
    // Start-up steps on the "config" element: window size and layer names; then the sprite,
    // animation and font sets in that order (after InitGL, which textures need).
    void ReadConfig(const TiXmlElement* config);
    void LoadResourceSets(const TiXmlElement* config);
    // Window, OpenGL state and frame ring; false on failure.
    bool InitGL();
    // Clears the four ring textures to opaque white.
    void ClearFrameTextures();
    bool IsQuit() const { return m_quit; }
    // One tick: UpdateWorld (twice in motion-blur mode, advancing the ring slot first).
    // Exceptions are logged and the rest of the update is skipped.
    void Update(float& dt);
    // One step of the game's rules.
    void UpdateWorld(float& dt);
    // One frame, plain or motion-blurred.
    void Render();
    // The world part, then the interface.
    void DrawScene();
    // DrawScene for a paused world: the world part comes from m_stillScene once kept.
    void DrawPausedScene();
    void DrawWorldPart();
    // Draws the scene into the current ring slot, composes the window image from the four
    // slots (accumulation buffer or blending, see m_blendBlur) and swaps.
    void RenderMotionBlur();
    // The two compositions of the ring into the back buffer, the scene already drawn into the
    // current slot. Both give the slots the same weights: current 0.43, previous tick 0.3, two
    // ticks ago 0.15, three ticks ago 0.12, each slot as drawn onto black by the fixed state.
    void ComposeAccumulated();
    void ComposeBlended();
    // One SDL event: key bindings, quit, records for the interface.
    void HandleSDLEvent(SDL_Event& event);
    // Game flow: pause, quit, death and no-more-lives. Never consumes the event.
    bool HandleEvent(IEvent* event) override;
    // Releases actors, interface, resources, the frame ring and SDL, in that order.
    void Shutdown();
    // Builds camera, player, background and enemies from a level file; false when unusable.
    bool LoadLevel(const std::string& fileName);
    // Opens the audio device and loads the sound set when the configuration names one, with
    // the master volume of its "volume" attribute.
    void StartSound(const TiXmlElement* config);
    // The music the game's state asks for: the title's track until play starts, then the
    // level's, paused with the game, none once the game is over or the level complete.
    void UpdateMusic();

    // Play again: records the score of a game in play, reads the level file anew, clears
    // projectiles and explosions and returns to the state of a fresh start (the interface's
    // default layer, paused). A level file that no longer loads keeps the level in play.
    void Restart();
    // Enters the ship's points into the best scores and saves them, once per game and only
    // for a game that was played and scored.
    void RecordScore();
    // Reads the best scores from their file (ScoreFile::DefaultPath).
    void LoadScores();
    // True once the level clock has started: the game is in play (running or paused).
    bool InPlay() const { return m_player && m_levelStart != 0; }
    // P and the gamepad's Start: during play, presses the active layer's "pause" button (as
    // a click would) or, on a layer without one, toggles the paused flag.
    void TogglePause();
    // The window lost the input focus or was minimised: pauses a running game the same way;
    // never resumes.
    void PauseForFocusLoss();
    // F11 and Alt+Enter: full screen and back, in place when the system can, else by opening
    // the video mode again and rebuilding what lives in the OpenGL context.
    void ToggleFullScreen();
    // Rebuilds what lives in the OpenGL context for a video mode just opened (screen, with
    // accumBits accumulation bits per channel): the fixed state, every sprite texture and the
    // frame ring. A screen larger than the picture gets the picture centred.
    void AdoptVideoMode(const SDL_Surface* screen, int accumBits);
    // Where the picture lies in the window, in window pixels: its left column, its bottom row
    // (OpenGL's y, up from the bottom) and its top row (SDL's y, down from the top).
    int PictureX() const;
    int PictureY() const;
    int PictureTop() const;
    int32_t GetBestScore() const override { return m_scores.Best(); }

    ShooterCamera* GetCamera() const override { return m_camera.get(); }
    ShooterPlayer* GetPlayer() const override { return m_player.get(); }
    ShooterBackground* GetBackground() const override { return m_background.get(); }
    ShooterExplosionManager* GetExplosions() const { return m_explosions.get(); }
    // Appends a projectile; the world owns it from now on.
    void AddProjectile(ShooterProjectile* projectile) override;

    uint32_t m_width = 0;
    uint32_t m_height = 0;
    // The window's size: the picture's, unless a full-screen mode is larger.
    uint32_t m_windowWidth = 0;
    uint32_t m_windowHeight = 0;
    std::string m_levelName;
    // Music track named by the level ("" for none).
    std::string m_levelMusic;
    std::unique_ptr<ShooterCamera> m_camera;
    std::unique_ptr<ShooterPlayer> m_player;
    std::unique_ptr<ShooterBackground> m_background;
    std::vector<std::unique_ptr<ShooterEnemy>> m_enemies;
    std::vector<std::unique_ptr<ShooterProjectile>> m_projectiles;
    std::unique_ptr<ShooterExplosionManager> m_explosions;
    uint32_t m_frameBuffer = 0;
    uint32_t m_depthBuffer = 0;
    uint32_t m_frameSlot = 0;
    uint32_t m_frameTextures[4] = {0, 0, 0, 0};
    int32_t m_levelTime = 0;
    uint32_t m_levelStart = 0;
    bool m_firing = false;
    bool m_motionBlur = false;
    bool m_paused = true;
    bool m_quit = false;
    bool m_blurSupported = false;
    // The game-over or level-complete sound has been played: the level's music is over.
    bool m_endingCued = false;
    // Motion blur composes the ring with ordinary blending instead of the accumulation buffer:
    // asked for by config.xml (motionblur="blend") or chosen when the window has no
    // accumulation buffer.
    bool m_blendBlur = false;
    RingBlender m_ringBlender;  // built with the ring; composes it when m_blendBlur is set
    // The paused world's picture, and the count of what changed the world since start-up
    // (updates that moved it, SDL events, restarts, video modes); with the count of events
    // delivered to the listeners it is the picture's key.
    StillScene m_stillScene;
    uint64_t m_sceneChanges = 0;
    std::string m_gameOverLayer;
    std::string m_gameCompleteLayer;

    // Additions a player expects of a desktop game; none changes the designed game unless
    // the data or the player uses it.
    std::string m_levelFile;  // the level read at start-up, read again by Restart
    ScoreTable m_scores;
    std::unique_ptr<ScoreFile> m_scoreFile;
    bool m_scoreRecorded = false;
    bool m_pauseQueued = false;  // a pause command is on its way to HandleEvent
    bool m_fullScreen = false;
    bool m_vsync = false;   // config.xml vsync="yes"
    uint32_t m_maxFps = 0;  // config.xml maxfps; 0 = no cap
    GamepadInput m_gamepad;
};
