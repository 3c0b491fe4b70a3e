// The sound set reader: what a good set yields, and that every kind of bad entry is left out
// with one log line naming the file.
#include <gtest/gtest.h>

#include <string>

#include "audio/CSoundSet.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

namespace {

int Lines(const std::string& text) {
    int n = 0;
    for (char c : text) {
        n += c == '\n' ? 1 : 0;
    }
    return n;
}

class SoundSetTest : public ::testing::Test {
protected:
    // Writes the set file and reads it, the log captured.
    bool Read(const std::string& body) {
        const std::string path = dir.Write("sounds.xml", body);
        return set.Load(path);
    }

    TempDir dir;
    LogCapture log;
    CSoundSet set;
};

}  // namespace

TEST_F(SoundSetTest, AGoodSetNamesItsSoundsUnderTheBaseDirectoryAndBindsItsCues) {
    ASSERT_TRUE(
        Read("<soundset basedir='snd\\fx'>"
             "<sample name='laser' volume='70'>laser.wav</sample>"
             "<sample name='boom'>big\\boom.wav</sample>"
             "<music name='theme' volume='0'>theme.ogg</music>"
             "<cue event='shipfire' sound='laser'/>"
             "<cue event='enemydestroyed' sound='boom'/>"
             "<cue event='titlemusic' sound='theme'/>"
             "</soundset>"));
    EXPECT_EQ(log.Text(), "");
    ASSERT_EQ(set.Entries().size(), 3u);
    const SoundEntry* laser = set.Find("laser");
    ASSERT_NE(laser, nullptr);
    EXPECT_EQ(laser->path, "snd/fx/laser.wav");
    EXPECT_EQ(laser->volume, 70);
    EXPECT_FALSE(laser->music);
    EXPECT_EQ(set.Find("boom")->path, "snd/fx/big/boom.wav");
    EXPECT_EQ(set.Find("boom")->volume, 100);
    EXPECT_TRUE(set.Find("theme")->music);
    EXPECT_EQ(set.Find("theme")->volume, 0);
    EXPECT_EQ(set.CueSound(SoundCue::ShipFire), "laser");
    EXPECT_EQ(set.CueSound(SoundCue::EnemyDestroyed), "boom");
    EXPECT_EQ(set.CueSound(SoundCue::TitleMusic), "theme");
    EXPECT_EQ(set.CueSound(SoundCue::ShipHit), "");
}

TEST_F(SoundSetTest, EveryCueEventNameReadsBackAsItsCue) {
    const char* names[] = {"shipfire", "ringburst",     "enemyfire",  "enemydestroyed",
                           "shiphit",  "shipdestroyed", "shipreturn", "button",
                           "gameover", "levelcomplete", "titlemusic"};
    ASSERT_EQ(sizeof(names) / sizeof(names[0]), static_cast<size_t>(kSoundCueCount));
    for (const char* name : names) {
        SoundCue cue;
        ASSERT_TRUE(CueFromName(name, cue)) << name;
        EXPECT_STREQ(CueName(cue), name);
    }
    SoundCue cue;
    EXPECT_FALSE(CueFromName("ShipFire", cue));
}

TEST_F(SoundSetTest, EachBadEntryIsLeftOutWithOneLineNamingTheFile) {
    struct Case {
        const char* entry;
        const char* logged;
    };
    const Case cases[] = {
        {"<sample volume='50'>a.wav</sample>", "Missing attribute \"name\" of <sample>"},
        {"<sample name=''>a.wav</sample>", "A sample has an empty name"},
        {"<sample name='ok'>other.wav</sample>", "Sound \"ok\" is named twice"},
        {"<sample name='nofile'></sample>", "The sample \"nofile\" names no file"},
        {"<music name='loud' volume='140'>m.ogg</music>", "volume \"140\", not 0 to 100"},
        {"<sample name='word' volume='half'>a.wav</sample>", "volume \"half\", not 0 to 100"},
        {"<cue event='shipexplodes' sound='ok'/>", "Unknown cue event \"shipexplodes\""},
        {"<cue event='shipfire' sound='nothing'/>", "Cue \"shipfire\" names unknown sound"},
        {"<cue event='titlemusic' sound='ok'/>", "needs a music track but \"ok\" is a sample"},
        {"<cue sound='ok'/>", "Missing attribute \"event\" of <cue>"},
    };
    for (const Case& c : cases) {
        log.Clear();
        ASSERT_TRUE(Read(std::string("<soundset><sample name='ok'>ok.wav</sample>") + c.entry +
                         "</soundset>"));
        EXPECT_EQ(Lines(log.Text()), 1) << c.entry << "\n" << log.Text();
        EXPECT_NE(log.Text().find(c.logged), std::string::npos) << c.entry << "\n" << log.Text();
        EXPECT_NE(log.Text().find("sounds.xml"), std::string::npos) << c.entry;
        EXPECT_EQ(set.Find("ok")->path, "ok.wav") << c.entry;
        for (int i = 0; i < kSoundCueCount; ++i) {
            EXPECT_EQ(set.CueSound(static_cast<SoundCue>(i)), "") << c.entry;
        }
    }
    // Out-of-range volumes keep the sound at full volume.
    Read("<soundset><music name='loud' volume='-5'>m.ogg</music></soundset>");
    EXPECT_EQ(set.Find("loud")->volume, 100);
}

TEST_F(SoundSetTest, ASetThatCannotBeReadIsOneLineAndNoSound) {
    const std::string cases[] = {"<soundset><sample name='a'>a.wav</sample>",
                                 "<spriteset basedir='x'/>", ""};
    for (const std::string& text : cases) {
        log.Clear();
        EXPECT_FALSE(Read(text)) << text;
        EXPECT_EQ(Lines(log.Text()), 1) << text << "\n" << log.Text();
        EXPECT_NE(log.Text().find("sounds.xml"), std::string::npos) << text;
        EXPECT_TRUE(set.Entries().empty()) << text;
    }
    log.Clear();
    EXPECT_FALSE(set.Load(dir.Path() + "/absent.xml"));
    EXPECT_NE(log.Text().find("absent.xml is missing or not valid XML"), std::string::npos);
}
