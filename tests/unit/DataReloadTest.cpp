// Live reload of the sets: each manager reads a changed set file again into the items it made,
// so the pointers handed out stay valid and show the new version; a new version that reports
// a problem leaves its item as it was and is reported once; an item gone from the file stays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeMixer.h"
#include "PngReference.h"
#include "audio/CSoundManager.h"
#include "core/Diagnostics.h"
#include "resources/CAnimation.h"
#include "resources/CAnimationManager.h"
#include "resources/CFont.h"
#include "resources/CFontManager.h"
#include "resources/CSprite.h"
#include "resources/CSpriteManager.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

namespace {

// Collects the problems reported while it lives.
class Reports : public Diagnostics {
public:
    Reports() : m_previous(Diagnostics::Install(this)) {}
    ~Reports() override { Diagnostics::Install(m_previous); }
    void Report(const std::string& file, int line, const std::string& text) override {
        lines.push_back(file + ":" + std::to_string(line) + ": " + text);
    }
    std::vector<std::string> lines;

private:
    Diagnostics* m_previous;
};

// A PNG of width x height opaque pixels of one colour.
std::string Sheet(uint32_t width, uint32_t height, unsigned char r, unsigned char g,
                  unsigned char b) {
    pngref::RawImage image;
    image.width = width;
    image.height = height;
    image.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    for (uint32_t i = 0; i < width * height; ++i) {
        image.rows.insert(image.rows.end(), {r, g, b, 255});
    }
    const pngref::Bytes png = pngref::LibpngEncode(image);
    return std::string(png.begin(), png.end());
}

std::string SpriteSet(int frameWidth, int frames) {
    return "<spriteset basedir=\"art\">\n<sprite name=\"s\">\n<image swidth=\"" +
           std::to_string(frameWidth) + "\" sheight=\"8\" numframes=\"" + std::to_string(frames) +
           "\" columns=\"" + std::to_string(frames) + "\">s.png</image>\n</sprite>\n</spriteset>";
}

// An animation "a" whose action "fly" shows frames 0, 1, ... for 100 ms each.
std::string AnimationSet(int frames) {
    std::string keyframes;
    for (int i = 0; i < frames; ++i) {
        keyframes += "<keyframe frameid=\"" + std::to_string(i) + "\" time=\"" +
                     std::to_string(i * 100) + "\"/>";
    }
    return "<animationset><animation name=\"a\"><action name=\"fly\" totaltime=\"" +
           std::to_string(frames * 100) + "\">" + keyframes + "</action></animation></animationset>";
}

std::string FontSet(const std::string& sprite, const std::string& chars) {
    std::string entries;
    for (size_t i = 0; i < chars.size(); ++i) {
        entries += "<entry char=\"" + chars.substr(i, 1) + "\" frame=\"" + std::to_string(i) + "\"/>";
    }
    return "<fontset><font name=\"f\" sprite=\"" + sprite + "\">" + entries + "</font></fontset>";
}

std::string SoundSet(const std::string& laser) {
    return "<soundset><sample name=\"laser\" volume=\"50\">" + laser +
           "</sample><music name=\"theme\">theme.ogg</music>"
           "<cue event=\"shipfire\" sound=\"laser\"/></soundset>";
}

class DataReloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir.Enter();
        UnloadAll();
        CSpriteManager::GetInstance()->SetUploadTextures(false);
    }
    void TearDown() override {
        UnloadAll();
        CSpriteManager::GetInstance()->SetUploadTextures(true);
    }
    static void UnloadAll() {
        CFontManager::GetInstance()->UnloadAll();
        CAnimationManager::GetInstance()->UnloadAll();
        CSpriteManager::GetInstance()->UnloadAll();
    }

    TempDir m_dir;
    LogCapture m_log;
};

}  // namespace

TEST_F(DataReloadTest, SpriteTakesNewGridAndSheetInPlaceAndABrokenVersionIsKept) {
    CSpriteManager* sprites = CSpriteManager::GetInstance();
    m_dir.Write("art/s.png", Sheet(16, 8, 255, 0, 0));
    m_dir.Write("set.xml", SpriteSet(16, 1));
    sprites->LoadSpriteSet("set.xml");
    CSprite* sprite = sprites->GetSprite("s");
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprites->FilesAffectedBy("art/s.png"), std::vector<std::string>{"set.xml"});
    EXPECT_EQ(sprites->FilesAffectedBy("set.xml"), std::vector<std::string>{"set.xml"});
    EXPECT_TRUE(sprites->FilesAffectedBy("art/other.png").empty());

    // A new grid and a new sheet: the same sprite now has two blue frames of 8 x 8.
    m_dir.Write("art/s.png", Sheet(16, 8, 0, 0, 255));
    m_dir.Write("set.xml", SpriteSet(8, 2));
    EXPECT_TRUE(sprites->Reload("set.xml"));
    EXPECT_EQ(sprites->GetSprite("s"), sprite);
    EXPECT_EQ(sprite->GetFrameWidth(), 8);
    EXPECT_EQ(sprite->m_numFrames, 2);
    ASSERT_EQ(sprite->m_pixels.size(), 16u * 8u * 4u);
    EXPECT_EQ(sprite->m_pixels[2], 255);

    // Each broken version is one problem at the set file and leaves the sprite as it was.
    const std::string sheet = Sheet(16, 8, 0, 255, 0);
    const std::vector<std::pair<std::string, std::string>> broken = {
        {sheet.substr(0, 40), SpriteSet(8, 2)},       // a cut-off sheet
        {sheet, SpriteSet(8, 3)},                     // a grid wider than the sheet
        {sheet, SpriteSet(8, 2).substr(0, 60)},       // XML cut off
        {sheet, SpriteSet(0, 2)},                     // no usable grid
    };
    for (const auto& [png, xml] : broken) {
        m_dir.Write("art/s.png", png);
        m_dir.Write("set.xml", xml);
        Reports reports;
        EXPECT_FALSE(sprites->Reload("set.xml")) << xml;
        ASSERT_EQ(reports.lines.size(), 1u) << xml;
        EXPECT_EQ(reports.lines[0].rfind("set.xml:", 0), 0u) << reports.lines[0];
        EXPECT_EQ(sprite->m_numFrames, 2);
        EXPECT_EQ(sprite->m_pixels[1], 0) << "the green sheet was taken: " << xml;
        EXPECT_EQ(sprite->m_pixels[2], 255);
    }
}

TEST_F(DataReloadTest, AnimationTakesNewFramesInPlaceABrokenVersionIsKeptAndARemovedOneStays) {
    CAnimationManager* animations = CAnimationManager::GetInstance();
    m_dir.Write("anims.xml", AnimationSet(2));
    animations->LoadAnimationSet("anims.xml");
    CAnimation* animation = animations->GetAnimation("a");
    ASSERT_NE(animation, nullptr);
    EXPECT_EQ(animation->GetFrame("fly", 250, true), 0);

    m_dir.Write("anims.xml", AnimationSet(3));
    EXPECT_TRUE(animations->Reload("anims.xml"));
    EXPECT_EQ(animations->GetAnimation("a"), animation);
    EXPECT_EQ(animation->GetFrame("fly", 250, true), 2);
    EXPECT_EQ(animation->GetActionLength("fly"), 300u);

    m_dir.Write("anims.xml", "<animationset><animation name=\"a\"><action name=\"fly\"/>"
                             "</animation></animationset>");
    {
        Reports reports;
        EXPECT_FALSE(animations->Reload("anims.xml"));
        EXPECT_EQ(reports.lines.size(), 1u);
        EXPECT_EQ(animation->GetFrame("fly", 250, true), 2);
    }

    // An animation gone from the file stays as it was, and the log says so; a new one is added.
    m_dir.Write("anims.xml", "<animationset><animation name=\"b\"><action name=\"x\" "
                             "totaltime=\"10\"><keyframe frameid=\"4\" time=\"0\"/></action>"
                             "</animation></animationset>");
    m_log.Clear();
    EXPECT_TRUE(animations->Reload("anims.xml"));
    EXPECT_EQ(animations->GetAnimation("a"), animation);
    EXPECT_EQ(animation->GetFrame("fly", 250, true), 2);
    ASSERT_NE(animations->GetAnimation("b"), nullptr);
    EXPECT_EQ(animations->GetAnimation("b")->GetFrame("x", 5, true), 4);
    EXPECT_TRUE(m_log.Contains("CAnimation: Animation \"a\" is no longer in anims.xml: it stays "
                               "as it was\n"))
        << m_log.Text();
}

TEST_F(DataReloadTest, FontTakesNewEntriesInPlaceAndABrokenVersionIsKept) {
    m_dir.Write("art/g.png", Sheet(24, 8, 255, 255, 255));
    m_dir.Write("set.xml", "<spriteset basedir=\"art\"><sprite name=\"glyphs\"><image swidth=\"8\" "
                           "sheight=\"8\" numframes=\"3\" columns=\"3\">g.png</image></sprite>"
                           "</spriteset>");
    CSpriteManager::GetInstance()->LoadSpriteSet("set.xml");
    CFontManager* fonts = CFontManager::GetInstance();
    m_dir.Write("fonts.xml", FontSet("glyphs", "A"));
    fonts->LoadFontSet("fonts.xml");
    CFont* font = fonts->GetFont("f");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->MeasureText("AB", Vector2(1, 1)).x, 8.0f);

    m_dir.Write("fonts.xml", FontSet("glyphs", "AB"));
    EXPECT_TRUE(fonts->Reload("fonts.xml"));
    EXPECT_EQ(fonts->GetFont("f"), font);
    EXPECT_EQ(font->MeasureText("AB", Vector2(1, 1)).x, 16.0f);

    m_dir.Write("fonts.xml", FontSet("nothing", "ABC"));
    Reports reports;
    EXPECT_FALSE(fonts->Reload("fonts.xml"));
    EXPECT_EQ(reports.lines.size(), 1u);
    EXPECT_EQ(font->MeasureText("ABC", Vector2(1, 1)).x, 16.0f);
    EXPECT_EQ(font->m_sprite, CSpriteManager::GetInstance()->GetSprite("glyphs"));
}

TEST_F(DataReloadTest, SoundSetLoadsItsNewSoundsFreesTheOldAndABrokenVersionIsKept) {
    m_dir.Write("sounds.xml", SoundSet("laser.wav"));
    FakeMixerLog mixer;
    CSoundManager* sound = CSoundManager::GetInstance();
    sound->Start(FakeMixer::Make(mixer), "sounds.xml", 100);
    sound->PlayMusic("theme");
    EXPECT_EQ(sound->FilesAffectedBy("laser.wav"), std::vector<std::string>{"sounds.xml"});
    EXPECT_TRUE(sound->FilesAffectedBy("other.wav").empty());

    m_dir.Write("sounds.xml", SoundSet("laser2.wav"));
    mixer.calls.clear();
    EXPECT_TRUE(sound->Reload("sounds.xml"));
    EXPECT_EQ(mixer.calls, (std::vector<std::string>{"free laser.wav", "free theme.ogg",
                                                     "music theme.ogg 128"}));
    mixer.calls.clear();
    sound->Cue(SoundCue::ShipFire);
    EXPECT_EQ(mixer.calls, std::vector<std::string>{"sample laser2.wav 64"});

    // A set naming an unknown sound, and a sound that will not load: each is one problem,
    // frees nothing of the set in use, and the old laser still plays.
    const std::vector<std::string> broken = {
        "<soundset><sample name=\"laser\">laser3.wav</sample>"
        "<cue event=\"shipfire\" sound=\"none\"/></soundset>",
        SoundSet("broken.wav")};
    for (const std::string& text : broken) {
        m_dir.Write("sounds.xml", text);
        mixer.calls.clear();
        Reports reports;
        EXPECT_FALSE(sound->Reload("sounds.xml")) << text;
        EXPECT_EQ(reports.lines.size(), 1u) << text;
        sound->Cue(SoundCue::ShipFire);
        EXPECT_EQ(mixer.calls.back(), "sample laser2.wav 64") << text;
        EXPECT_EQ(mixer.Count("free laser2.wav"), 0);
    }
    // A sound named only by a version that was not taken still reads the set again when it
    // changes: it may be the fix.
    EXPECT_EQ(sound->FilesAffectedBy("laser3.wav"), std::vector<std::string>{"sounds.xml"});
    sound->Shutdown();
}
