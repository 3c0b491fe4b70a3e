// The two motion-blur compositions of the frame ring: the accumulation buffer and ordinary
// blending must give the same image within 3 levels per channel, whatever the slots hold
// (colours, partial alpha, alpha at or under the alpha test's 0.1), and the blending one is
// what a window without accumulation buffer uses.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "WorldGLSupport.h"
#include "game/ShooterCamera.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"
#include "world/BlurChooser.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 512;

std::vector<unsigned char> ReadBackBuffer() {
    std::vector<unsigned char> pixels(size_t(kWidth) * kHeight * 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Largest difference over the colour channels of every pixel.
int LargestDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    int largest = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        if (i % 4 != 3) {
            largest = std::max(largest, std::abs(int(a[i]) - int(b[i])));
        }
    }
    return largest;
}

double MeanColour(const std::vector<unsigned char>& pixels) {
    double sum = 0.0;
    for (size_t i = 0; i < pixels.size(); ++i) {
        sum += i % 4 == 3 ? 0 : pixels[i];
    }
    return sum / (double(pixels.size()) * 0.75);
}

class BlurCompositionTest : public WorldGLTest {
protected:
    void StartLevel() {
        m_world->Level().SetPlayer(std::make_unique<ShooterPlayer>());
        m_world->Level().SetCamera(std::make_unique<ShooterCamera>());
        m_world->Level().SetExplosions(std::make_unique<ShooterExplosionManager>());
    }
    void TearDown() override {
        for (auto& enemy : m_world->Level().EnemyList()) {
            enemy.release();
        }
        WorldGLTest::TearDown();
    }

    // Writes the pixels into one ring slot as they are, without blending or alpha test.
    void WriteSlot(int slot, const std::vector<unsigned char>& pixels) {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, m_world->Ring().FrameBuffer());
        glDrawBuffer(GL_COLOR_ATTACHMENT0_EXT + slot);
        glDisable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        glLoadIdentity();
        glRasterPos2i(0, 0);
        glDrawPixels(kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        glEnable(GL_BLEND);
        glEnable(GL_ALPHA_TEST);
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    }

    // Noise over every level, in bands of alpha: opaque, the translucent values the scene's
    // blending leaves (0.75 to 1), any value, and values at and under the alpha test's 0.1.
    static std::vector<unsigned char> NoiseSlot(unsigned seed) {
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> level(0, 255);
        std::vector<unsigned char> pixels(size_t(kWidth) * kHeight * 4);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                unsigned char* p = &pixels[(size_t(y) * kWidth + x) * 4];
                for (int c = 0; c < 3; ++c) {
                    p[c] = static_cast<unsigned char>(level(random));
                }
                const int band = x / 256;
                const int a = level(random);
                p[3] = static_cast<unsigned char>(band == 0   ? 255
                                                  : band == 1 ? 191 + a / 4
                                                  : band == 2 ? a
                                                              : 20 + a % 12);  // 20..31
            }
        }
        return pixels;
    }

    std::vector<unsigned char> Accumulated() {
        m_world->Ring().ComposeAccumulated();
        return ReadBackBuffer();
    }
    std::vector<unsigned char> Blended() {
        m_world->Ring().ComposeBlended();
        return ReadBackBuffer();
    }
};

TEST_F(BlurCompositionTest, BothCompositionsOfANoisyRingAgreeAtEverySlot) {
    ASSERT_TRUE(InitWindow()) << m_log.Text();
    ASSERT_TRUE(m_world->Ring().IsSupported()) << m_log.Text();
    ASSERT_FALSE(m_world->Ring().Blends());
    for (int slot = 0; slot < 4; ++slot) {
        WriteSlot(slot, NoiseSlot(101u + unsigned(slot)));
    }
    for (uint32_t current = 0; current < 4; ++current) {
        m_world->Ring().SetSlot(current);
        const std::vector<unsigned char> accumulated = Accumulated();
        const std::vector<unsigned char> blended = Blended();
        EXPECT_LE(LargestDifference(accumulated, blended), 3) << "current slot " << current;
        // Noise averages out to about half of the levels weighted by alpha.
        EXPECT_GT(MeanColour(blended), 40.0);
    }
}

// Whole ring of one colour per slot, where the weights can be read directly: the blended sum
// of red, green, blue and grey slots matches the accumulated one channel by channel.
TEST_F(BlurCompositionTest, SolidSlotsGiveTheSameWeightedSum) {
    ASSERT_TRUE(InitWindow()) << m_log.Text();
    const unsigned char colours[4][4] = {
        {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {128, 128, 128, 128}};
    for (int slot = 0; slot < 4; ++slot) {
        std::vector<unsigned char> pixels(size_t(kWidth) * kHeight * 4);
        for (size_t i = 0; i < pixels.size(); ++i) {
            pixels[i] = colours[slot][i % 4];
        }
        WriteSlot(slot, pixels);
    }
    m_world->Ring().SetSlot(2);  // blue current, green previous tick, red 2, grey 3 ticks ago
    const std::vector<unsigned char> accumulated = Accumulated();
    const std::vector<unsigned char> blended = Blended();
    EXPECT_LE(LargestDifference(accumulated, blended), 3);
    // 0.15 red, 0.3 green, 0.43 blue, and 0.12 of grey 128 at alpha 0.5 in every channel.
    EXPECT_GT(blended[1], blended[0]);
    EXPECT_GT(blended[2], blended[1]);
    EXPECT_GT(blended[1], 0.12 * 255);
}

// The blended path keeps the sum of the three older slots once a tick has several frames
// (from the second on). Frames of the same tick rewrite only the current slot, the next tick
// makes the sum again, and clearing the ring (switching blur on) must not leave the old sum
// behind: every composition, in one pass or from the kept sum, matches the accumulated one.
TEST_F(BlurCompositionTest, KeptSumFollowsTheCurrentSlotAndTheClearedRing) {
    ASSERT_TRUE(InitWindow()) << m_log.Text();
    for (int slot = 0; slot < 4; ++slot) {
        WriteSlot(slot, NoiseSlot(201u + unsigned(slot)));
    }
    m_world->Ring().SetSlot(1);
    for (unsigned frame = 0; frame < 4; ++frame) {
        WriteSlot(1, NoiseSlot(301u + frame));
        EXPECT_LE(LargestDifference(Accumulated(), Blended()), 3) << "frame " << frame;
    }
    m_world->Ring().SetSlot(2);  // the next tick, right from its first frame
    WriteSlot(2, NoiseSlot(501u));
    EXPECT_LE(LargestDifference(Accumulated(), Blended()), 3) << "next tick";
    m_world->Ring().Clear();
    WriteSlot(2, NoiseSlot(401u));
    const std::vector<unsigned char> blended = Blended();
    EXPECT_LE(LargestDifference(Accumulated(), blended), 3) << "after clearing the ring";
    // The three older slots are white again: at least 0.57 of full white in every pixel.
    EXPECT_GT(*std::min_element(blended.begin(), blended.end()), 140);
}

// Ticks of 2, 1, 1, 1, 1 and 1 frames: the sum kept at the second tick (slot 1) must not be
// used again when the ring comes back to slot 1 four ticks later, since slots 2, 3 and 0 have
// been drawn anew since. Every frame matches the accumulated composition of the ring as it is.
TEST_F(BlurCompositionTest, KeptSumIsNotUsedAgainAfterTheRingHasGoneRound) {
    ASSERT_TRUE(InitWindow()) << m_log.Text();
    for (int slot = 0; slot < 4; ++slot) {
        WriteSlot(slot, NoiseSlot(601u + unsigned(slot)));
    }
    const int framesPerTick[6] = {2, 1, 1, 1, 1, 1};
    for (uint32_t tick = 0; tick < 6; ++tick) {
        m_world->Ring().SetSlot(tick % 4);
        for (int frame = 0; frame < framesPerTick[tick]; ++frame) {
            WriteSlot(int(tick % 4), NoiseSlot(701u + tick * 8u + unsigned(frame)));
            EXPECT_LE(LargestDifference(Accumulated(), Blended()), 3)
                << "tick " << tick << " frame " << frame;
        }
    }
}

// Switching blur on fills the ring tick by tick from white; the trail of a moving square and
// the white of the slots not drawn yet compose alike both ways at every tick.
TEST_F(BlurCompositionTest, WhiteRingOfTheFirstTicksComposesAlikeBothWays) {
    ASSERT_TRUE(InitWindow()) << m_log.Text();
    StartLevel();
    auto* square = new RectEnemy(100, 100, 200, 200, 1.0f, 0.5f, 0.0f);
    m_world->Level().EnemyList().emplace_back(square);
    std::unique_ptr<RectEnemy> owner(square);
    m_world->Ring().Clear();
    m_world->Ring().SetOn(true);
    int lastWhite = 256;
    for (uint32_t tick = 0; tick < 6; ++tick) {
        m_world->Ring().SetSlot(tick % 4);
        square->m_position = Vector2(100.0f + 60.0f * float(tick), 100.0f);
        m_world->Render();
        const std::vector<unsigned char> accumulated = Accumulated();
        const std::vector<unsigned char> blended = Blended();
        EXPECT_LE(LargestDifference(accumulated, blended), 3) << "tick " << tick;
        // Outside the square the slots not drawn yet still show as white, less at every tick,
        // until the ring is full.
        const int white = blended[(size_t(500) * kWidth + 1000) * 4];
        if (tick < 3) {
            EXPECT_LT(white, lastWhite) << "tick " << tick;
            EXPECT_GT(white, 20) << "tick " << tick;
        } else {
            EXPECT_LE(white, 1) << "tick " << tick;
        }
        lastWhite = white;
    }
}

// A window without accumulation buffer still gets the ring and blends it: the frame of a red
// scene over a white ring is red with 0.57 of white, as the accumulation path gives it.
TEST_F(BlurCompositionTest, WithoutAccumulationBufferTheRingIsBlended) {
    setenv("GLIMMERAX_NO_ACCUM", "1", 1);
    const bool opened = InitWindow();
    unsetenv("GLIMMERAX_NO_ACCUM");
    ASSERT_TRUE(opened) << m_log.Text();
    EXPECT_TRUE(
        m_log.Contains("Accumulation buffer: none; motion blur blends the frame ring "
                       "instead.\n"))
        << m_log.Text();
    EXPECT_TRUE(m_world->Ring().IsSupported());
    EXPECT_TRUE(m_world->Ring().Blends());
    StartLevel();
    m_world->Level().EnemyList().emplace_back(new RectEnemy(0, 0, 1024, 512, 1, 0, 0));
    std::unique_ptr<ShooterEnemy> owner(m_world->Level().EnemyList().back().get());
    m_world->Ring().SetOn(true);
    m_world->Render();
    const Rgba pixel = ReadShown(500, 200);
    EXPECT_NEAR(pixel.r, 255, 3);
    EXPECT_NEAR(pixel.g, 0.57 * 255, 3);
    EXPECT_NEAR(pixel.b, 0.57 * 255, 3);
}

// The automatic setting measures both compositions on the first blur of a run: where one
// composes nothing (a blender whose programs are gone) the other is kept whatever the times,
// the measured ring starts white as a switched-on blur does, and the choice is made once.
TEST_F(BlurCompositionTest, AutomaticChoiceKeepsACompositionThatComposesRightAndMeasuresOnce) {
    ASSERT_TRUE(InitWindow()) << m_log.Text();
    FrameRing& ring = m_world->Ring();
    ASSERT_TRUE(ring.IsSupported() && ring.Blender().IsBuilt()) << m_log.Text();
    BlurChooser::Choice choice = BlurChooser::Measure(ring, 512, 256);
    EXPECT_TRUE(choice.accumulated.right);
    EXPECT_TRUE(choice.blended.right);
    EXPECT_GT(choice.accumulated.msPerFrame, 0.0);
    EXPECT_GT(choice.blended.msPerFrame, 0.0);
    std::printf("a composition: accumulation buffer %.2f ms, blending %.2f ms\n",
                choice.accumulated.msPerFrame, choice.blended.msPerFrame);

    StartLevel();
    m_world->Level().EnemyList().emplace_back(new RectEnemy(0, 0, 1024, 512, 1, 0, 0));
    std::unique_ptr<ShooterEnemy> owner(m_world->Level().EnemyList().back().get());
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_n;
    m_world->HandleSDLEvent(key);
    ASSERT_TRUE(ring.IsOn());
    EXPECT_TRUE(m_log.Contains("Motion blur: automatic choice is ")) << m_log.Text();
    m_world->Render();
    const Rgba pixel = ReadShown(500, 200);
    EXPECT_NEAR(pixel.r, 255, 3);
    // 0.57 of white, in linear light or not as the driver accumulates: the older slots are
    // white, not what the measuring left in them (black).
    EXPECT_GT(pixel.g, 120) << "the red frame over the white ring";
    EXPECT_LT(pixel.g, 230) << "the red frame over the white ring";
    m_world->HandleSDLEvent(key);
    m_log.Clear();
    m_world->HandleSDLEvent(key);
    EXPECT_FALSE(m_log.Contains("Motion blur: automatic choice")) << "measured again";

    ring.Blender().Release();
    choice = BlurChooser::Measure(ring, 512, 256);
    EXPECT_FALSE(choice.blended.right) << "a blender without programs composes nothing";
    EXPECT_TRUE(choice.accumulated.right);
    EXPECT_FALSE(choice.blend);
}

}  // namespace
