// A campaign: config.xml's <campaign> lists levels played in order. Driven through the world's
// update on the fake clock, with level files on disk read by the game's level loader.

#include <gtest/gtest.h>
#include <SDL/SDL.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "events/GUIEvent.h"
#include "game/Difficulty.h"
#include "game/ShooterEnemy.h"
#include "game/ShooterExplosionManager.h"
#include "game/ShooterPlayer.h"
#include "gui/CGUILayer.h"
#include "support/FakeClock.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "unit/GUITestSupport.h"
#include "world/ShooterWorld.h"

namespace {

// How often a text occurs in another.
int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// XDG_DATA_HOME names folder while it lives: the scores file is folder/glimmerax/scores.xml.
class DataHome {
public:
    explicit DataHome(const std::string& folder) {
        const char* old = std::getenv("XDG_DATA_HOME");
        m_had = old != nullptr;
        m_old = old ? old : "";
        setenv("XDG_DATA_HOME", folder.c_str(), 1);
    }
    ~DataHome() {
        if (m_had) {
            setenv("XDG_DATA_HOME", m_old.c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
    }
    DataHome(const DataHome&) = delete;
    DataHome& operator=(const DataHome&) = delete;

private:
    bool m_had = false;
    std::string m_old;
};

class CampaignTest : public InterfaceTest {
protected:
    void SetUp() override {
        InterfaceTest::SetUp();
        m_world = ShooterWorld::GetInstance();
        CEventManager* events = CEventManager::GetInstance();
        for (const EventType* type : {&Event_Shooter_Pause, &Event_Shooter_PlayerDeath,
                                      &Event_Shooter_PlayerNoMoreLives, &Event_Shooter_GUIEvent}) {
            events->AddListener(m_world, *type);
        }
        AddTestSprite("campaignship", 32, 16, 1);
        AddTestSprite("campaignland", 64, 16, 1);
        m_gui->LoadLayerSet(
            m_dir.Write("set.xml",
                        "<layerset><layer name=\"hud\"/><layer name=\"complete\"/>"
                        "<layer name=\"gameover\"/><layer name=\"nextlevel\"/></layerset>"));
        m_world->Session().SetGameOverLayer("gameover");
        m_world->Session().SetGameCompleteLayer("complete");
        m_world->Level().SetExplosions(std::make_unique<ShooterExplosionManager>());
        m_dir.Write("one.xml", Level(100, 200, ""));
        // Level two's only enemy comes long after any test ends: it stays in play.
        m_dir.Write("two.xml", Level(300, 150, Enemy(1000000)));
    }

    // A level with a still camera, the ship at (x, y), terrain far below the view.
    static std::string Level(int x, int y, const std::string& enemies) {
        return "<level name='l'><camera><position x='0' y='0'/><velocity x='0' y='0'/>"
               "<size x='1024' y='512'/></camera><player><position x='" +
               std::to_string(x) + "' y='" + std::to_string(y) +
               "'/><scale x='1' y='1'/><velocity x='0' y='0'/>"
               "<sprite name='campaignship' frame='0'/>"
               "<projectile sprite='campaignship' speed='10'/></player>"
               "<bg><position x='0' y='-5000'/><sprite back='campaignland' bspeed='0' "
               "middle='campaignland' mspeed='0' front='campaignland' fspeed='0'/></bg>" +
               enemies + "</level>";
    }
    static std::string Enemy(int time) {
        return "<enemy name='e' time='" + std::to_string(time) +
               "'><behaviour type='normal'/><projectile shoots='no'/>"
               "<position x='0' y='100'/><scale x='1' y='1'/><direction x='-1' y='0' "
               "speed='2'/><sprite name='campaignship'/></enemy>";
    }

    // Reads config.xml's campaign listing the files, loads its first level as start-up does
    // and starts play on the HUD.
    void StartCampaign(const std::string& levels) {
        XmlText config("<config><campaign>" + levels + "</campaign></config>");
        m_world->Session().Levels().Read(config.Root());
        const std::string first = m_world->Session().Levels().FirstLevel();
        m_world->Level().SetFile(first);
        ASSERT_TRUE(m_world->LoadLevel(first));
        m_gui->SetActiveLayer("hud");
        m_world->Session().SetPaused(false);
    }
    std::string Entry(const std::string& name) const {
        return "<level file=\"" + m_dir.Path() + "/" + name + "\"/>";
    }

    void Update(uint32_t ms = 31) {
        m_clock.Advance(ms);
        float dt = static_cast<float>(ms);
        m_world->Update(dt);
    }
    // Plays at config's difficulty of that name from the next level loaded on.
    void PlayAt(const std::string& config, const std::string& name) {
        XmlText document(config);
        m_world->Level().SetDifficulty(
            Difficulty::Find(Difficulty::ReadAll(document.Root()), name));
        m_world->Session().SetDifficulty(name);
    }
    void Command(const std::string& name) {
        ASSERT_TRUE(CEventManager::GetInstance()->QueueEvent(new GUIEvent(name)));
        Update();
    }
    void Key(SDLKey key) {
        GUIKeyInput input;
        input.key = key;
        input.kind = 1;
        m_gui->HandleKey(input);
    }
    std::string ActiveLayer() const { return m_gui->GetActiveLayer()->GetName(); }
    ShooterPlayer& Ship() const { return *m_world->Level().Player(); }

    // Level one, with 120 points, one ship lost and health down: its first update clears it,
    // having no enemies.
    void ClearLevelOne() {
        Ship().AddPoints(120);
        Ship().m_lives = 2;
        Ship().m_health = 40;
        Update();
    }

    FakeClock m_clock{100000};
    TempDir m_dir;
    CGUI* m_gui = CGUI::GetInstance();
    ShooterWorld* m_world = nullptr;
};

TEST_F(CampaignTest, ClearingALevelShowsTheNextLevelLayerThenTheNextLevelStartsByItself) {
    StartCampaign(Entry("one.xml") + Entry("two.xml"));
    ClearLevelOne();
    EXPECT_EQ(ActiveLayer(), "nextlevel");
    EXPECT_TRUE(m_world->Session().BetweenLevels());
    EXPECT_FALSE(m_world->Session().EndingCued());
    EXPECT_EQ(m_world->Session().LastRank(), -1) << "no score is entered between levels";
    // Level one stays behind the layer until the wait is over.
    Update(3900);
    EXPECT_EQ(ActiveLayer(), "nextlevel");
    EXPECT_EQ(m_world->Level().File(), m_dir.Path() + "/one.xml");
    LogCapture log;
    Update(100);
    EXPECT_EQ(ActiveLayer(), "hud");
    EXPECT_FALSE(m_world->Session().BetweenLevels());
    EXPECT_EQ(m_world->Level().File(), m_dir.Path() + "/two.xml");
    EXPECT_TRUE(log.Contains("Level 2 of 2: " + m_dir.Path() + "/two.xml\n")) << log.Text();
    // Score and ships carry over; health is whole again; the ship is at level two's start.
    EXPECT_EQ(Ship().GetPoints(), 120);
    EXPECT_EQ(Ship().GetLives(), 2);
    EXPECT_EQ(Ship().GetHealth(), 100);
    EXPECT_EQ(Ship().GetPosition().x, 300.0f);
    EXPECT_EQ(Ship().GetPosition().y, 150.0f);
    ASSERT_EQ(m_world->Level().EnemyList().size(), 1u);
    // Level two plays: its clock starts anew and it is not over.
    Update();
    Update();
    EXPECT_TRUE(m_world->Level().InPlay());
    EXPECT_GE(m_world->Level().Time(), 0);
    EXPECT_LT(m_world->Level().Time(), 100);
    EXPECT_EQ(ActiveLayer(), "hud");
}

TEST_F(CampaignTest, TheNextLevelButtonStartsItAtOnceAndTheLastLevelEndsTheGame) {
    StartCampaign(Entry("one.xml") + Entry("two.xml"));
    ClearLevelOne();
    ASSERT_EQ(ActiveLayer(), "nextlevel");
    ASSERT_TRUE(CEventManager::GetInstance()->QueueEvent(new GUIEvent("nextlevel")));
    Update();
    EXPECT_EQ(ActiveLayer(), "hud");
    EXPECT_EQ(m_world->Level().File(), m_dir.Path() + "/two.xml");
    EXPECT_EQ(Ship().GetPoints(), 120);
    // A command that comes with no level waiting does nothing.
    ASSERT_TRUE(CEventManager::GetInstance()->QueueEvent(new GUIEvent("nextlevel")));
    Update();
    EXPECT_EQ(m_world->Level().File(), m_dir.Path() + "/two.xml");
    // Clearing the last level ends the game as a one-level game ends, the score recorded.
    Ship().AddPoints(60);
    m_world->Level().EnemyList().clear();
    Update();
    EXPECT_EQ(ActiveLayer(), "complete");
    EXPECT_TRUE(m_world->Session().EndingCued());
    EXPECT_FALSE(m_world->Session().BetweenLevels());
    EXPECT_EQ(m_world->Session().LastRank(), 0);
    EXPECT_EQ(m_world->Session().Scores().Best(), 180);
    Update(5000);
    EXPECT_EQ(ActiveLayer(), "complete");
    EXPECT_EQ(m_world->Level().File(), m_dir.Path() + "/two.xml");
}

TEST_F(CampaignTest, AMissingNextLevelEndsTheCampaignWithOneLogLine) {
    StartCampaign(Entry("one.xml") + Entry("missing.xml"));
    LogCapture log;
    ClearLevelOne();
    EXPECT_EQ(ActiveLayer(), "complete");
    EXPECT_TRUE(m_world->Session().EndingCued());
    EXPECT_FALSE(m_world->Session().BetweenLevels());
    EXPECT_EQ(m_world->Session().Scores().Best(), 120);
    for (int i = 0; i < 200; ++i) {
        Update();
    }
    EXPECT_EQ(log.Text(), "Level file not found: " + m_dir.Path() + "/missing.xml\n");
    EXPECT_EQ(ActiveLayer(), "complete");
    EXPECT_EQ(m_world->Level().File(), m_dir.Path() + "/one.xml");
}

TEST_F(CampaignTest, PlayingAgainStartsTheCampaignFromItsFirstLevel) {
    StartCampaign(Entry("one.xml") + Entry("two.xml"));
    ClearLevelOne();
    Update(4000);
    ASSERT_EQ(m_world->Level().File(), m_dir.Path() + "/two.xml");
    ASSERT_TRUE(CEventManager::GetInstance()->QueueEvent(new GUIEvent("restart")));
    Update();
    EXPECT_EQ(m_world->Level().File(), m_dir.Path() + "/one.xml");
    EXPECT_EQ(Ship().GetPoints(), 0);
    EXPECT_EQ(Ship().GetLives(), 3);
    EXPECT_TRUE(m_world->Session().IsPaused());
    EXPECT_EQ(m_world->Session().Scores().Best(), 120) << "the game played is recorded";
}

TEST_F(CampaignTest, ReachingLevelTwoIsKeptForTheDifficultyPlayedAndContinueStartsItAfresh) {
    DataHome home(m_dir.Path() + "/home");
    const std::string scores = m_dir.Path() + "/home/glimmerax/scores.xml";
    m_world->Session().LoadScores();
    const std::string easy = "<config><difficulty name=\"easy\" ships=\"5\"/></config>";
    PlayAt(easy, "easy");
    StartCampaign(Entry("one.xml") + Entry("two.xml"));
    EXPECT_EQ(m_world->Session().ContinueLevel(), 1u);
    ClearLevelOne();
    EXPECT_EQ(m_world->Session().ContinueLevel(), 1u) << "level two is reached when it starts";
    Update(4000);
    ASSERT_EQ(m_world->Level().File(), m_dir.Path() + "/two.xml");
    // Kept at once, for easy alone.
    const std::string saved = ReadAll(scores);
    EXPECT_NE(saved.find("<progress difficulty=\"easy\" level=\"2\" />"), std::string::npos)
        << saved;
    EXPECT_EQ(saved.find("difficulty=\"normal\""), std::string::npos) << saved;
    EXPECT_EQ(m_world->Session().ContinueLevel(), 2u);

    // Level two is lost in part, then played again: the title at level one, paused.
    Ship().AddPoints(30);
    Ship().m_lives = 1;
    Ship().m_health = 10;
    Command("restart");
    ASSERT_EQ(m_world->Level().File(), m_dir.Path() + "/one.xml");
    ASSERT_TRUE(m_world->Session().IsPaused());
    // Playing again took the settings' difficulty; easy is chosen again on the title.
    PlayAt(easy, "easy");
    EXPECT_EQ(m_world->Session().Scores().Best(), 150) << "the game played is recorded";
    LogCapture log;
    Command("continue");
    EXPECT_EQ(m_world->Level().File(), m_dir.Path() + "/two.xml");
    EXPECT_TRUE(log.Contains("Continue: level 2 of 2 at easy: " + m_dir.Path() + "/two.xml\n"))
        << log.Text();
    EXPECT_FALSE(m_world->Session().IsPaused()) << "without a start button the game runs";
    EXPECT_EQ(Ship().GetPoints(), 0);
    EXPECT_EQ(Ship().GetLives(), 5) << "easy's starting ships";
    EXPECT_EQ(Ship().GetHealth(), 100);
    EXPECT_EQ(Ship().GetPosition().x, 300.0f);
    EXPECT_EQ(Ship().GetPosition().y, 150.0f);
    Update();
    EXPECT_TRUE(m_world->Level().InPlay());
    EXPECT_EQ(m_world->Session().Levels().Number(), 2u);
    EXPECT_FALSE(m_world->Session().Levels().HasNext());
    // Another difficulty has nothing to continue.
    m_world->Session().SetDifficulty("normal");
    EXPECT_EQ(m_world->Session().ContinueLevel(), 1u);
}

TEST_F(CampaignTest, TheTitleOffersContinueOnlyWithProgressAndItsKeysReachIt) {
    DataHome home(m_dir.Path() + "/home");
    // Progress further than this configuration's campaign: its last level is continued.
    m_dir.Write("home/glimmerax/scores.xml",
                "<scores><progress difficulty=\"hard\" level=\"7\" /></scores>");
    m_world->Session().LoadScores();
    AddTestSprite("titlebutton", 40, 20, 3);
    const std::string button =
        "<position x='0' y='0'/><sprite name='titlebutton' "
        "normalFrame='0' hoverFrame='1' depressFrame='2'/></widget>";
    m_gui->LoadLayerSet(m_dir.Write(
        "title.xml",
        "<layerset><layer name='title' navigate='yes'>"
        "<widget type='button' name='start' event='pause' layer='hud'>" +
            button + "<widget type='button' name='continue' event='continue'>" + button +
            "<widget type='button' name='quit' event='quit'>" + button + "</layer></layerset>"));
    StartCampaign(Entry("one.xml") + Entry("two.xml"));
    m_world->Session().SetPaused(true);
    m_gui->SetActiveLayer("title");
    const auto continueShown = [this] {
        return m_gui->GetActiveLayer()->m_widgets[1]->IsVisible();
    };

    // Normal has no progress: Continue is hidden and Down goes from Start to Quit.
    m_world->Session().OfferContinue();
    EXPECT_FALSE(continueShown());
    Key(SDLK_DOWN);
    Key(SDLK_RETURN);
    EXPECT_EQ(Deliver().back(), "quit");
    m_world->Session().SetQuit(false);

    PlayAt("<config><difficulty name=\"hard\" ships=\"2\"/></config>", "hard");
    m_world->Session().OfferContinue();
    EXPECT_TRUE(continueShown());
    Key(SDLK_UP);
    Key(SDLK_UP);
    Key(SDLK_DOWN);
    Key(SDLK_RETURN);
    Update();
    Update();
    EXPECT_EQ(m_world->Level().File(), m_dir.Path() + "/two.xml");
    EXPECT_EQ(ActiveLayer(), "hud") << "started as the Start button starts a game";
    EXPECT_FALSE(m_world->Session().IsPaused());
    EXPECT_TRUE(m_world->Level().InPlay());
    EXPECT_EQ(Ship().GetLives(), 2);
}

TEST_F(CampaignTest, ACampaignOfOneLevelEndsAsAOneLevelGame) {
    StartCampaign(Entry("one.xml"));
    ClearLevelOne();
    EXPECT_EQ(ActiveLayer(), "complete");
    EXPECT_FALSE(m_world->Session().BetweenLevels());
    EXPECT_EQ(m_world->Session().Scores().Best(), 120);
}

TEST_F(CampaignTest, EntriesWithoutAFileAreReportedAndLeftOut) {
    LogCapture log;
    XmlText config(
        "<config><campaign><level/><level file=\"a.xml\"/><level file=\"\"/>"
        "</campaign></config>");
    Campaign campaign;
    campaign.Read(config.Root());
    EXPECT_EQ(campaign.Count(), 1u);
    EXPECT_EQ(campaign.FirstLevel(), "a.xml");
    EXPECT_FALSE(campaign.HasNext());
    EXPECT_EQ(Occurrences(log.Text(), "\n"), 2) << log.Text();
    EXPECT_TRUE(log.Contains("Missing attribute \"file\" of <level>")) << log.Text();
    EXPECT_TRUE(log.Contains("Empty \"file\" of <level>")) << log.Text();
}

}  // namespace
