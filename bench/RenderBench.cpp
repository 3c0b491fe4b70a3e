// Frames per second of the default level on the display (run under xvfb-run), plain and
// motion-blurred, against a minimal loop that clears, draws the same textured quads and swaps.
//
// The game starts from data/ exactly as the binary does (ShooterWorld::Init in that folder),
// leaves the title screen for the HUD, unpauses and plays a fixed stretch of the level on a
// fake clock with the fire key held, so that enemies, shots, an explosion and the HUD are on
// screen. The scene is then frozen and drawn again and again.
//
// The quads of one plain frame are recorded through the linker wraps of GLCallHooks: texture,
// colour, texture coordinates and window position of every quad. The minimal loop draws that
// list with the same OpenGL state, so both draw the same pixels; the difference is what the
// game spends around the drawing. Each benchmark iteration draws one frame of the game and one
// of the minimal loop, timed on the wall clock (the software rasteriser works in threads of
// its own), so that the ratio is taken under the same load.

#include <climits>

#include <GL/glew.h>
#include <SDL/SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "GLCallHooks.h"
#include "game/ShooterBackground.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"
#include "game/ShooterProjectile.h"
#include "gui/CGUI.h"
#include "platform/Clock.h"
#include "resources/CFont.h"
#include "resources/CFontManager.h"
#include "resources/CSprite.h"
#include "world/BlurChooser.h"
#include "world/ShooterWorld.h"

namespace {

// Updates played before the scene is frozen: 16.5 s of the level at one update per 31 ms, a
// moment with four enemies, eight shots and an explosion on screen.
constexpr int kWarmUpdates = 533;
constexpr uint32_t kTickMs = 31;

class ManualClock : public platform::IClock {
public:
    uint32_t Now() override { return m_now; }
    uint32_t m_now = 1000;
};

ManualClock g_clock;
std::vector<glhooks::Quad> g_frameQuads;
// Quads of the recorded frame by what they show.
std::map<std::string, int> g_quadKinds;

double Seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

bool StartGame() {
    if (chdir(GLIMMERAX_DATA) != 0) {
        std::fprintf(stderr, "cannot enter %s\n", GLIMMERAX_DATA);
        return false;
    }
    platform::SetClock(&g_clock);
    ShooterWorld* world = ShooterWorld::GetInstance();
    world->Init();
    if (world->IsQuit() || !world->Level().Player()) {
        std::fprintf(stderr, "the game did not start\n");
        return false;
    }
    // What the title's Start button does: unpause and show the HUD.
    world->Session().SetPaused(false);
    CGUI::GetInstance()->SetActiveLayer("hud");
    world->Level().SetFiring(true);
    for (int i = 0; i < kWarmUpdates; ++i) {
        g_clock.m_now += kTickMs;
        float dt = float(kTickMs);
        world->Update(dt);
    }
    return true;
}

// Names what a texture shows in the frozen scene.
std::map<unsigned, std::string> TextureKinds() {
    ShooterWorld* world = ShooterWorld::GetInstance();
    std::map<unsigned, std::string> kinds;
    auto mark = [&kinds](const CSprite* sprite, const char* kind) {
        if (sprite) {
            kinds.emplace(sprite->m_texture, kind);
        }
    };
    mark(world->Level().Background()->m_backSprite, "background");
    mark(world->Level().Background()->m_middleSprite, "background");
    mark(world->Level().Background()->m_frontSprite, "background");
    mark(world->Level().Player()->m_sprite, "ship");
    mark(world->Level().Explosions()->m_sprite, "explosions");
    for (const auto& enemy : world->Level().EnemyList()) {
        mark(enemy->m_sprite, "enemies");
    }
    for (const auto& shot : world->Level().ProjectileList()) {
        mark(shot->m_sprite, "projectiles");
    }
    // The default game's two fonts (data/sets/fonts.xml).
    for (const char* name : {"small", "big"}) {
        if (const CFont* font = CFontManager::GetInstance()->GetFont(name)) {
            mark(font->m_sprite, "glyphs");
        }
    }
    return kinds;
}

void RecordFrame() {
    glhooks::StartRecording();
    ShooterWorld::GetInstance()->Render();
    g_frameQuads = glhooks::StopRecording();
    const std::map<unsigned, std::string> kinds = TextureKinds();
    for (const glhooks::Quad& quad : g_frameQuads) {
        const auto kind = kinds.find(quad.texture);
        ++g_quadKinds[kind == kinds.end() ? "widgets" : kind->second];
    }
}

void DrawRecordedQuads() {
    glPushMatrix();
    glLoadIdentity();
    for (const glhooks::Quad& quad : g_frameQuads) {
        glBindTexture(GL_TEXTURE_2D, quad.texture);
        glColor4f(quad.color[0], quad.color[1], quad.color[2], quad.color[3]);
        glBegin(GL_QUADS);
        for (int i = 0; i < 4; ++i) {
            glTexCoord2f(quad.s[i], quad.t[i]);
            glVertex2f(quad.x[i], quad.y[i]);
        }
        glEnd();
    }
    glPopMatrix();
}

void ClearBack() {
    glDrawBuffer(GL_BACK);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// The minimal frame: clear, the recorded quads in window coordinates, swap.
void MinimalFrame() {
    ClearBack();
    DrawRecordedQuads();
    SDL_GL_SwapBuffers();
}

std::vector<unsigned char> ReadBack() {
    ShooterWorld* world = ShooterWorld::GetInstance();
    std::vector<unsigned char> pixels(size_t(world->Window().Width()) * world->Window().Height() * 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, GLsizei(world->Window().Width()), GLsizei(world->Window().Height()), GL_RGBA, GL_UNSIGNED_BYTE,
                 pixels.data());
    return pixels;
}

// Pixels of the back buffer that differ by more than one step in some channel between the
// game's scene and the recorded quads: the minimal loop must draw the same picture.
int DifferingPixels() {
    ClearBack();
    ShooterWorld::GetInstance()->DrawScene();
    const std::vector<unsigned char> ours = ReadBack();
    ClearBack();
    DrawRecordedQuads();
    const std::vector<unsigned char> minimal = ReadBack();
    int differing = 0;
    for (size_t i = 0; i < ours.size(); i += 4) {
        for (size_t c = 0; c < 3; ++c) {
            if (std::abs(int(ours[i + c]) - int(minimal[i + c])) > 1) {
                ++differing;
                break;
            }
        }
    }
    return differing;
}

// Clear and swap only: what the window costs before anything is drawn.
void EmptyFrame() {
    glDrawBuffer(GL_BACK);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_GL_SwapBuffers();
}

void ReportScene(benchmark::State& state) {
    ShooterWorld* world = ShooterWorld::GetInstance();
    int active = 0;
    for (const auto& enemy : world->Level().EnemyList()) {
        active += enemy->m_active ? 1 : 0;
    }
    state.counters["quads"] = double(g_frameQuads.size());
    state.counters["diff_pixels"] = DifferingPixels();
    for (const auto& [kind, count] : g_quadKinds) {
        state.counters["q_" + kind] = count;
    }
    state.counters["n_enemies"] = active;
    state.counters["n_shots"] = double(world->Level().ProjectileList().size());
    state.counters["n_booms"] = double(world->Level().Explosions()->m_explosions.size());
}

// The ring textures' filter as InitGL sets it: unfiltered when the ring blender composes.
void SetRingFilter(GLint filter) {
    for (const uint32_t texture : ShooterWorld::GetInstance()->Ring().Textures()) {
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    }
}

// range(0): 0 plain path, 1 motion blur through the accumulation buffer, 2 motion blur
// composed by the ring blender from the kept sum of the older slots, 3 the same with the sum
// made again in every frame (as in the first frame of each tick), 4 every frame composed from
// the four slots in one pass, 5 the composition the automatic setting measures and keeps
// (counter "blends": 1 when that is the ring blender). The minimal loop is the same in all.
void BM_Frame(benchmark::State& state) {
    ShooterWorld* world = ShooterWorld::GetInstance();
    const bool blur = state.range(0) >= 1;
    if (blur && !world->Ring().IsSupported()) {
        state.SkipWithError("no frame ring on this display: motion blur is not available");
        return;
    }
    const bool everyFrameASum = state.range(0) == 3;
    const bool onePass = state.range(0) == 4;
    const bool automatic = state.range(0) == 5;
    if (state.range(0) >= 2 && !world->Ring().Blender().IsBuilt()) {
        state.SkipWithError("no ring blender: the driver has no OpenGL 2.0 shaders");
        return;
    }
    world->Ring().SetOn(blur);
    world->Ring().SetBlending(state.range(0) >= 2);
    if (automatic) {
        const VideoWindow& window = world->Window();
        world->Ring().SetBlending(
            BlurChooser::Measure(world->Ring(), window.PictureX() + window.PictureWidth() / 2,
                                 window.PictureY() + window.PictureHeight() / 2)
                .blend);
        state.counters["blends"] = world->Ring().Blends() ? 1 : 0;
    }
    world->Ring().Blender().SetKeepAfterFrames(onePass ? INT_MAX : 1);
    world->Ring().Blender().Invalidate();
    SetRingFilter(world->Ring().Blends() ? GL_NEAREST : GL_LINEAR);
    double oursSeconds = 0.0, minimalSeconds = 0.0, emptySeconds = 0.0, plainSeconds = 0.0;
    for (auto _ : state) {
        if (everyFrameASum) {
            world->Ring().Blender().Invalidate();
        }
        const double t0 = Seconds();
        world->Render();
        glFinish();
        const double t1 = Seconds();
        MinimalFrame();
        glFinish();
        const double t2 = Seconds();
        EmptyFrame();
        glFinish();
        const double t3 = Seconds();
        // The plain frame of the same scene in the same iteration: the baseline of the blurred
        // frames.
        world->Ring().SetOn(false);
        world->Render();
        glFinish();
        world->Ring().SetOn(blur);
        const double t4 = Seconds();
        oursSeconds += t1 - t0;
        minimalSeconds += t2 - t1;
        emptySeconds += t3 - t2;
        plainSeconds += t4 - t3;
        state.SetIterationTime(t1 - t0);
    }
    world->Ring().SetOn(false);
    world->Ring().SetBlending(false);
    world->Ring().Blender().SetKeepAfterFrames(RingBlender::DEFAULT_KEEP_AFTER_FRAMES);
    SetRingFilter(GL_LINEAR);
    const double frames = double(state.iterations());
    state.counters["fps"] = frames / oursSeconds;
    state.counters["minimal_fps"] = frames / minimalSeconds;
    state.counters["empty_fps"] = frames / emptySeconds;
    state.counters["vs_minimal"] = oursSeconds / minimalSeconds;
    state.counters["vs_plain"] = oursSeconds / plainSeconds;
    ReportScene(state);
}

// The title screen over the frozen scene against a frame of play (the HUD), interleaved. The
// title draws the full-window shade, the logo, the buttons and two lines of help text; as in
// the game, the world is paused under it (its picture is kept from the first title frame on),
// and runs under the HUD.
void BM_TitleFrame(benchmark::State& state) {
    ShooterWorld* world = ShooterWorld::GetInstance();
    CGUI* gui = CGUI::GetInstance();
    double titleSeconds = 0.0, playSeconds = 0.0;
    for (auto _ : state) {
        gui->SetActiveLayer("title");
        world->Session().SetPaused(true);
        const double t0 = Seconds();
        world->Render();
        glFinish();
        const double t1 = Seconds();
        gui->SetActiveLayer("hud");
        world->Session().SetPaused(false);
        world->Render();
        glFinish();
        const double t2 = Seconds();
        titleSeconds += t1 - t0;
        playSeconds += t2 - t1;
        state.SetIterationTime(t1 - t0);
    }
    const double frames = double(state.iterations());
    state.counters["fps"] = frames / titleSeconds;
    state.counters["play_fps"] = frames / playSeconds;
    state.counters["vs_play"] = titleSeconds / playSeconds;
}

}  // namespace

// Two seconds of frames per run: single frames of the software rasteriser vary a lot on a
// shared machine.
BENCHMARK(BM_Frame)
    ->ArgName("blur")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Arg(4)
    ->Arg(5)
    ->MinTime(2.0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK(BM_TitleFrame)->MinTime(2.0)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!StartGame()) {
        return 1;
    }
    RecordFrame();
    benchmark::RunSpecifiedBenchmarks();
    ShooterWorld::GetInstance()->Shutdown();
    platform::SetClock(nullptr);
    return 0;
}
