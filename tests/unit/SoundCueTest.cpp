// The sound manager behind a recording mixer: loading, volumes, the ship-hit rate limit,
// muting and music; then the world's moments, counted through the same mixer, and proof that
// sound leaves the world's rules as they are.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "FakeMixer.h"
#include "GameTestSupport.h"
#include "audio/CSoundManager.h"
#include "events/PlayerNoMoreLivesEvent.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterProjectile.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

using gametest::RegisterSprite;
using gametest::WorldFixture;

namespace {

const char* const kSet =
    "<soundset basedir='s'>"
    "<sample name='laser' volume='70'>laser.wav</sample>"
    "<sample name='ring'>ring.wav</sample>"
    "<sample name='pew'>pew.wav</sample>"
    "<sample name='boom'>boom.wav</sample>"
    "<sample name='hit'>hit.wav</sample>"
    "<sample name='bigboom'>bigboom.wav</sample>"
    "<sample name='back'>back.wav</sample>"
    "<sample name='click'>click.wav</sample>"
    "<sample name='over'>over.wav</sample>"
    "<sample name='done'>done.wav</sample>"
    "<sample name='cracked'>broken.wav</sample>"
    "<music name='theme' volume='50'>theme.ogg</music>"
    "<music name='calm'>calm.ogg</music>"
    "<cue event='shipfire' sound='laser'/>"
    "<cue event='ringburst' sound='ring'/>"
    "<cue event='enemyfire' sound='pew'/>"
    "<cue event='enemydestroyed' sound='boom'/>"
    "<cue event='shiphit' sound='hit'/>"
    "<cue event='shipdestroyed' sound='bigboom'/>"
    "<cue event='shipreturn' sound='back'/>"
    "<cue event='button' sound='click'/>"
    "<cue event='gameover' sound='over'/>"
    "<cue event='levelcomplete' sound='cracked'/>"
    "<cue event='titlemusic' sound='calm'/>"
    "</soundset>";

// Starts the sound manager on a fake mixer with kSet and the master volume.
class SoundFixture {
public:
    explicit SoundFixture(int master = 100, bool device = true) {
        const std::string path = dir.Write("sounds.xml", kSet);
        CSoundManager::GetInstance()->Start(FakeMixer::Make(mixer, device), path, master);
    }
    ~SoundFixture() { CSoundManager::GetInstance()->Shutdown(); }

    TempDir dir;
    FakeMixerLog mixer;
};

}  // namespace

TEST(SoundManager, StartLoadsEverySoundAndNamesTheOneThatFailsInOneLine) {
    LogCapture log;
    SoundFixture sound;
    EXPECT_TRUE(sound.mixer.opened);
    EXPECT_EQ(sound.mixer.loads.size(), 13u);
    EXPECT_EQ(log.Text(),
              "CSound: Cannot load sound \"cracked\" from s/broken.wav (bad file): it stays "
              "silent\n");
    // Its cue stays silent; the others play.
    CSoundManager::GetInstance()->Cue(SoundCue::LevelComplete);
    CSoundManager::GetInstance()->Cue(SoundCue::Button);
    ASSERT_EQ(sound.mixer.calls.size(), 1u);
    EXPECT_EQ(sound.mixer.calls[0], "sample s/click.wav 128");
}

TEST(SoundManager, WithoutADeviceOneLineAndEveryCallIsSilent) {
    LogCapture log;
    SoundFixture sound(100, false);
    EXPECT_EQ(log.Text(), "CSound: No audio device (no device): the game plays without sound\n");
    EXPECT_TRUE(sound.mixer.loads.empty());
    CSoundManager* manager = CSoundManager::GetInstance();
    EXPECT_FALSE(manager->IsStarted());
    manager->Cue(SoundCue::ShipFire);
    manager->PlayMusic("theme");
    manager->ToggleMute();
    EXPECT_TRUE(sound.mixer.calls.empty());
}

TEST(SoundManager, ASetThatDoesNotParseIsOneLineAndNoSoundEvenForTheLevelsMusic) {
    TempDir dir;
    const std::string path = dir.Write("sounds.xml", "<soundset><sample name='a'>a.wav");
    FakeMixerLog mixer;
    LogCapture log;
    CSoundManager* manager = CSoundManager::GetInstance();
    manager->Start(FakeMixer::Make(mixer), path, 100);
    manager->PlayMusic("theme");
    manager->Cue(SoundCue::ShipFire);
    manager->ToggleMute();
    const std::string text = log.Text();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    EXPECT_NE(text.find("sounds.xml is missing or not valid XML"), std::string::npos);
    EXPECT_FALSE(mixer.opened);
    EXPECT_TRUE(mixer.calls.empty());
    manager->Shutdown();
}

TEST(SoundManager, VolumesAreTheSoundsPercentOfTheMasterVolumeOnTheMixersScale) {
    SoundFixture sound(80);
    CSoundManager* manager = CSoundManager::GetInstance();
    manager->Cue(SoundCue::ShipFire);   // 70% of 80% of 128 = 71.68
    manager->Cue(SoundCue::RingBurst);  // 100% of 80% of 128 = 102.4
    manager->PlayMusic("theme");        // 50% of 80% of 128 = 51.2
    EXPECT_EQ(sound.mixer.calls,
              (std::vector<std::string>{"sample s/laser.wav 71", "sample s/ring.wav 102",
                                        "music s/theme.ogg 51"}));
}

TEST(SoundManager, ThePlayersMusicAndEffectsVolumesScaleTheirOwnKindOnly) {
    SoundFixture sound(80);
    CSoundManager* manager = CSoundManager::GetInstance();
    manager->PlayMusic("theme");
    manager->SetVolumes(80, 50, 25);   // the playing track follows: 50% of 51.2 = 25.6
    manager->Cue(SoundCue::ShipFire);  // 25% of 71.68 = 17.92
    manager->SetVolumes(80, 100, 150);  // clamped to 100%
    manager->Cue(SoundCue::ShipFire);
    EXPECT_EQ(sound.mixer.calls,
              (std::vector<std::string>{"music s/theme.ogg 51", "musicvolume 25",
                                        "sample s/laser.wav 17", "musicvolume 51",
                                        "sample s/laser.wav 71"}));
    manager->SetVolumes(100, 100, 100);
}

TEST(SoundManager, TheShipsHitsAreHeardAtMostOncePer250Ms) {
    FakeClock clock(5000);
    SoundFixture sound;
    CSoundManager* manager = CSoundManager::GetInstance();
    // Hits at 0, 100, 249, 250, 260, 600 and 849 ms: heard at 0, 250 and 600.
    for (uint32_t at : {0u, 100u, 249u, 250u, 260u, 600u, 849u}) {
        clock.Set(5000 + at);
        manager->Cue(SoundCue::ShipHit);
    }
    EXPECT_EQ(sound.mixer.Count("sample s/hit.wav"), 3);
    // Other cues are never held back.
    for (int i = 0; i < 4; ++i) {
        manager->Cue(SoundCue::EnemyFire);
    }
    EXPECT_EQ(sound.mixer.Count("sample s/pew.wav"), 4);
}

TEST(SoundManager, MutingSilencesEverythingAndUnmutingGivesTheMusicBack) {
    SoundFixture sound;
    CSoundManager* manager = CSoundManager::GetInstance();
    manager->PlayMusic("theme");
    manager->ToggleMute();
    EXPECT_TRUE(manager->IsMuted());
    manager->Cue(SoundCue::ShipFire);
    manager->Cue(SoundCue::ShipDestroyed);
    manager->ToggleMute();
    manager->Cue(SoundCue::ShipFire);
    EXPECT_EQ(sound.mixer.calls,
              (std::vector<std::string>{"music s/theme.ogg 64", "stopsamples", "musicvolume 0",
                                        "musicvolume 64", "sample s/laser.wav 89"}));
}

TEST(SoundManager, MusicStartsOncePerTrackAndAnUnknownTrackIsNamedOnce) {
    SoundFixture sound;
    LogCapture log;
    CSoundManager* manager = CSoundManager::GetInstance();
    EXPECT_EQ(manager->TitleMusic(), "calm");
    manager->PlayMusic("calm");
    manager->PlayMusic("calm");
    manager->PlayMusic("nosuchtrack");
    manager->PlayMusic("calm");
    manager->PlayMusic("nosuchtrack");
    manager->PlayMusic("laser");  // a sample is no track
    manager->PlayMusic("");
    EXPECT_EQ(sound.mixer.calls,
              (std::vector<std::string>{"music s/calm.ogg 128", "stopmusic", "music s/calm.ogg 128",
                                        "stopmusic", "stopmusic", "stopmusic"}));
    EXPECT_EQ(log.Text(),
              "CSound: Unknown music track \"nosuchtrack\" (not a <music> of the sound set)\n"
              "CSound: Unknown music track \"laser\" (not a <music> of the sound set)\n");
}

namespace {

class WorldSoundTest : public WorldFixture {
protected:
    void SetUp() override {
        WorldFixture::SetUp();
        ship = &MakeLevel(32, 16);
        sound = std::make_unique<SoundFixture>();
    }
    void TearDown() override {
        sound.reset();
        WorldFixture::TearDown();
    }

    ShooterEnemy& AddEnemy(const Vector2& position, int health) {
        auto enemy = std::make_unique<ShooterEnemy>();
        enemy->m_sprite = RegisterSprite("enemy", 20, 20);
        enemy->m_scale = Vector2(1.0f, 1.0f);
        enemy->m_health = health;
        enemy->m_position = position;
        enemy->m_active = true;
        enemy->UpdateBox();
        world->Level().EnemyList().push_back(std::move(enemy));
        return *world->Level().EnemyList().back();
    }

    int Heard(const std::string& file) const { return sound->mixer.Count("sample s/" + file); }

    ShooterPlayer* ship = nullptr;
    std::unique_ptr<SoundFixture> sound;
};

// Everything the rules decide, as text: ship, enemies, shots.
std::string WorldState(const ShooterWorld& world) {
    std::ostringstream out;
    const ShooterPlayer& ship = *world.Level().Player();
    out << ship.m_position.x << "," << ship.m_position.y << " h" << ship.m_health << " l"
        << ship.m_lives << " p" << ship.m_points << " d" << ship.m_dead << ship.m_respawning << ";";
    for (const auto& enemy : world.Level().EnemyList()) {
        out << "e" << enemy->m_position.x << "," << enemy->m_position.y << "," << enemy->m_health
            << ";";
    }
    for (const auto& shot : world.Level().ProjectileList()) {
        out << "s" << shot->GetPosition().x << "," << shot->GetPosition().y << "," << shot->GetAge()
            << ";";
    }
    return out.str();
}

}  // namespace

TEST_F(WorldSoundTest, TheSpreadPatternIsOneFireSoundPerVolley) {
    ship->SetWeaponLevel(2);
    world->Level().SetFiring(true);
    for (int i = 0; i < 21; ++i) {
        Step();
    }
    // Three volleys of three shots each (one every tenth update at 31 ms).
    EXPECT_EQ(world->Level().ProjectileList().size(), 9u);
    EXPECT_EQ(Heard("laser.wav"), 3);
    EXPECT_EQ(sound->mixer.Count("sample"), 3);
}

TEST_F(WorldSoundTest, EnemiesShotDownExplodeAloudAndThoseThatLeaveGoQuietly) {
    ShooterEnemy& shotDown = AddEnemy(Vector2(600.0f, 300.0f), 40);
    ShooterEnemy& gone = AddEnemy(Vector2(600.0f, 100.0f), 40);
    shotDown.TakeDamage(40);
    gone.m_dead = true;  // off the screen: dead but not destroyed
    Step();
    EXPECT_EQ(Heard("boom.wav"), 1);
    EXPECT_EQ(sound->mixer.Count("sample"), 1);
}

TEST_F(WorldSoundTest, TheShipIsHitThenDestroyedThenComesBack) {
    ship->TakeDamage(30);
    EXPECT_EQ(Heard("hit.wav"), 1);
    clock.Advance(300);
    ship->TakeDamage(80);  // health 70 -> -10
    EXPECT_EQ(Heard("hit.wav"), 1);
    EXPECT_EQ(Heard("bigboom.wav"), 1);
    ship->BeginRespawn();
    for (int i = 0; i < 100; ++i) {
        Step();
    }
    EXPECT_FALSE(ship->IsDead());
    EXPECT_EQ(Heard("back.wav"), 1);
    // Invulnerable: no hit, no sound.
    ship->TakeDamage(30);
    EXPECT_EQ(Heard("hit.wav"), 1);
    // The ring is heard once for its 25 shots.
    ship->FireRing();
    EXPECT_EQ(Heard("ring.wav"), 1);
}

TEST_F(WorldSoundTest, GameOverAndLevelCompleteAreHeardOnceAndEndTheLevelMusic) {
    world->Level().SetMusic("theme");
    // An enemy still to come keeps the level going.
    AddEnemy(Vector2(600.0f, 300.0f), 40).m_active = false;
    world->Level().EnemyList().back()->m_spawnTime = 1000000;
    world->Session().SetPaused(true);
    float dt = 31.0f;
    world->Update(dt);
    EXPECT_EQ(sound->mixer.calls.back(), "music s/calm.ogg 128");
    world->Session().SetPaused(false);
    world->Update(dt);
    EXPECT_EQ(sound->mixer.calls.back(), "music s/theme.ogg 64");
    world->Session().SetPaused(true);
    world->Update(dt);
    EXPECT_EQ(sound->mixer.calls.back(), "pause");
    world->Session().SetPaused(false);
    world->Level().EnemyList().clear();
    // No enemies left: the level is complete; its sound file did not load, so the cue
    // stays silent and the music stops.
    world->Update(dt);
    world->Update(dt);
    EXPECT_EQ(sound->mixer.Count("stopmusic"), 1);
    EXPECT_EQ(sound->mixer.Count("sample"), 0);
    PlayerNoMoreLivesEvent event;
    world->Session().SetEndingCued(false);
    world->HandleEvent(&event);
    world->HandleEvent(&event);
    EXPECT_EQ(Heard("over.wav"), 1);
}

TEST_F(WorldSoundTest, TheRulesGiveTheSameWorldWithAndWithoutSound) {
    auto play = [this](bool withSound) {
        if (!withSound) {
            CSoundManager::GetInstance()->Shutdown();
        }
        world->Level().SetLastFireTime(0);
        clock.Set(100000);
        world->Level().SetStart(0);
        world->Level().ProjectileList().clear();
        world->Level().EnemyList().clear();
        ship->m_health = 100;
        ship->m_points = 0;
        ship->SetPosition(ship->m_startPosition);
        ship->SetWeaponLevel(3);
        ship->SetVelocity(Vector2(2.0f, 1.0f));
        ShooterEnemy& target = AddEnemy(Vector2(400.0f, 200.0f), 120);
        target.m_shoots = true;
        target.m_fireDelay = 200;
        target.m_projectileSprite = RegisterSprite("enemyshot", 4, 4)->m_name;
        target.m_projectileSpeed = 5.0f;
        target.m_direction = Vector2(-1.0f, 0.0f);
        target.m_speed = 1.0f;
        world->Level().SetFiring(true);
        std::string states;
        for (int i = 0; i < 120; ++i) {
            Step();
            states += WorldState(*world) + "\n";
        }
        return states;
    };
    const std::string withSound = play(true);
    EXPECT_GT(Heard("laser.wav"), 5);
    EXPECT_GT(Heard("pew.wav"), 5);
    EXPECT_EQ(Heard("boom.wav"), 1);
    EXPECT_EQ(play(false), withSound);
}
