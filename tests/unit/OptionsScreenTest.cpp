// The options screen driven by keys through the world's input mapping: the focus moves, a
// volume, a choice and a key binding change and are saved, Escape leaves the screen instead of
// quitting the game, and the new binding is in effect at once.

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <tinyxml.h>

#include "GUITestSupport.h"
#include "core/XmlRead.h"
#include "gui/CGUILayer.h"
#include "gui/OptionValues.h"
#include "support/TempDir.h"
#include "world/InputMapping.h"
#include "world/SettingsXml.h"

namespace {

const char kLayers[] =
    "<layerset>"
    "<layer name=\"title\"><widget type=\"button\" name=\"options\" event=\"options\">"
    "<position x=\"0\" y=\"0\"/><sprite name=\"buttons\"/></widget></layer>"
    "<layer name=\"options\" navigate=\"yes\">"
    "<widget type=\"text\" name=\"heading\" text=\"0\" font=\"small\"/>"
    "<widget type=\"slider\" name=\"master\" option=\"master\" text=\"1\" font=\"small\">"
    "<position x=\"10\" y=\"300\"/></widget>"
    "<widget type=\"toggle\" name=\"scaling\" option=\"scaling\" text=\"2\" font=\"small\">"
    "<position x=\"10\" y=\"200\"/></widget>"
    "<widget type=\"keycapture\" name=\"quit\" option=\"bind:quit\" text=\"3\" font=\"small\">"
    "<position x=\"10\" y=\"100\"/></widget>"
    "<widget type=\"button\" name=\"defaults\" event=\"restoredefaults\">"
    "<position x=\"300\" y=\"0\"/><sprite name=\"buttons\"/></widget>"
    "<widget type=\"button\" name=\"back\" event=\"back\">"
    "<position x=\"500\" y=\"0\"/><sprite name=\"buttons\"/></widget>"
    "</layer></layerset>";

class OptionsScreenTest : public InterfaceTest {
protected:
    void SetUp() override {
        InterfaceTest::SetUp();
        const char* old = std::getenv("XDG_CONFIG_HOME");
        m_oldConfig = old ? old : "";
        setenv("XDG_CONFIG_HOME", m_home.Path().c_str(), 1);
        AddTestSprite("buttons", 100, 20, 3);
        AddTestFont("small");
        CGUI::GetInstance()->LoadLayerSet(m_home.Write("layers.xml", kLayers));
        CGUI::GetInstance()->SetActiveLayer("title");
        m_world = ShooterWorld::GetInstance();
        m_world->PlayerChoices().Load(Settings());
        CEventManager::GetInstance()->AddListener(m_world, Event_Shooter_GUIEvent);
    }
    void TearDown() override {
        InterfaceTest::TearDown();
        setenv("XDG_CONFIG_HOME", m_oldConfig.c_str(), 1);
    }

    void Tap(SDLKey key) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym.sym = key;
        m_world->HandleSDLEvent(event);
        event.type = SDL_KEYUP;
        m_world->HandleSDLEvent(event);
        Deliver();
    }
    std::string Active() const { return CGUI::GetInstance()->GetActiveLayer()->GetName(); }
    std::string Saved() const {
        std::ifstream in(m_home.Path() + "/glimmerax/settings.xml");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    const Settings& Current() const { return m_world->PlayerChoices().Current(); }

    TempDir m_home;
    std::string m_oldConfig;
    ShooterWorld* m_world = nullptr;
};

}  // namespace

TEST_F(OptionsScreenTest, KeysChangeAndSaveTheSettingsAndEscapeLeavesTheScreenNotTheGame) {
    ASSERT_TRUE(CGUI::GetInstance()->PressButton("options"));
    Deliver();
    ASSERT_EQ(Active(), "options");

    Tap(SDLK_LEFT);  // the focus starts on the first row: the master volume
    EXPECT_EQ(Current().masterVolume, 90);
    Tap(SDLK_DOWN);
    Tap(SDLK_RETURN);
    EXPECT_EQ(Current().scaling, PictureScaling::Sharp);
    Tap(SDLK_DOWN);
    Tap(SDLK_RETURN);  // the quit row waits for a key: Escape is no way out of it but a key
    EXPECT_TRUE(CGUI::GetInstance()->GetActiveLayer()->IsCapturing());
    Tap(SDLK_q);
    EXPECT_EQ(Current().bindings.Key(Action::Quit, 0), SDLK_q);
    EXPECT_EQ(Current().bindings.Key(Action::Quit, 1), SDLK_ESCAPE);
    const std::string saved = Saved();
    EXPECT_NE(saved.find("master=\"90\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("scaling=\"sharp\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("<bind action=\"quit\" key=\"q\" key2=\"escape\""), std::string::npos)
        << saved;
    EXPECT_EQ(OptionValues::Current()->Text("nonsense"), "?");

    Tap(SDLK_ESCAPE);  // bound to quit, yet on this screen it only goes back
    EXPECT_FALSE(m_world->IsQuit());
    EXPECT_EQ(Active(), "title");
    Tap(SDLK_q);  // on the title the game has the keys again, with the new binding
    EXPECT_TRUE(m_world->IsQuit());
}

TEST_F(OptionsScreenTest, RestoreDefaultsUndoesEveryChangeMadeOnTheScreen) {
    CGUI::GetInstance()->SetActiveLayer("options");
    OptionValues& values = *OptionValues::Current();
    values.SetLevel("music", 30);
    values.Step("motionblur", 1);
    values.BindButton("bind:fire", 5);
    ASSERT_NE(Current(), Settings());
    ASSERT_TRUE(CGUI::GetInstance()->PressButton("restoredefaults"));
    Deliver();
    EXPECT_EQ(Current(), Settings());

}

TEST_F(OptionsScreenTest, DifficultyCyclesThroughTheDataAndIsSavedForTheNextGame) {
    const std::string gameOver = m_world->Session().GameOverLayer();
    const std::string complete = m_world->Session().GameCompleteLayer();
    TiXmlDocument config("config.xml");
    ASSERT_TRUE(xml::ParseText(
        config, "<config gameoverlayer=\"a\" gamecompletelayer=\"b\">"
                "<difficulty name=\"easy\" ships=\"5\"/><difficulty name=\"normal\"/>"
                "<difficulty name=\"hard\" enemyhealth=\"2\"/></config>"));
    m_world->ReadConfig(config.FirstChildElement("config"));
    OptionValues& values = *OptionValues::Current();
    EXPECT_EQ(values.Text("difficulty"), "NORMAL");
    values.Step("difficulty", 1);
    EXPECT_EQ(values.Text("difficulty"), "HARD");
    EXPECT_NE(Saved().find("<game difficulty=\"hard\""), std::string::npos) << Saved();
    // Before play starts the level and the best score shown take it at once.
    EXPECT_EQ(m_world->Level().GetDifficulty().Name(), "hard");
    EXPECT_EQ(m_world->Session().DifficultyName(), "hard");
    values.Step("difficulty", 1);
    EXPECT_EQ(values.Text("difficulty"), "EASY") << "round from the last to the first";
    values.Step("difficulty", -1);
    EXPECT_EQ(values.Text("difficulty"), "HARD");
    values.Step("difficulty", -1);
    EXPECT_EQ(Current(), Settings());
    EXPECT_EQ(Saved().find("<game"), std::string::npos) << "normal is the default: not written";

    ASSERT_TRUE(xml::ParseText(config, "<config gameoverlayer=\"a\" gamecompletelayer=\"b\"/>"));
    m_world->ReadConfig(config.FirstChildElement("config"));
    m_world->ChooseDifficulty();
    EXPECT_TRUE(m_world->Level().GetDifficulty().IsNormal());
    m_world->Session().SetGameOverLayer(gameOver);
    m_world->Session().SetGameCompleteLayer(complete);
}

namespace {

class CountingSink : public CommandSink {
public:
    void Execute(const GameCommand& /*command*/) override { ++commands; }
    void ToInterface(int&, int&) const override {}
    int commands = 0;
};

}  // namespace

TEST_F(OptionsScreenTest, EveryPressHasItsReleaseWhereItWentWhateverScreenComesBetween) {
    InputMapping input;
    CountingSink game;
    SDL_Event event{};
    const auto send = [&](Uint8 type, SDLKey key) {
        event.type = type;
        event.key.keysym.sym = key;
        input.Handle(event, game);
    };
    send(SDL_KEYDOWN, SDLK_UP);  // steering, pressed for the game on the title
    CGUI::GetInstance()->SetActiveLayer("options");
    send(SDL_KEYUP, SDLK_UP);
    EXPECT_EQ(game.commands, 2) << "the release takes the steering back";
    send(SDL_KEYDOWN, SDLK_DOWN);  // moves the focus: the game hears nothing
    CGUI::GetInstance()->SetActiveLayer("title");
    send(SDL_KEYUP, SDLK_DOWN);
    EXPECT_EQ(game.commands, 2) << "nor of its release";
}

TEST_F(OptionsScreenTest, AnInstalledModIsTurnedOffForTheNextStartAndRowsPastTheLastShowADash) {
    TempDir data;
    data.Write("glimmerax/mods/alpha/about.txt", "a");
    data.Write("glimmerax/mods/beta/about.txt", "b");
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string oldData = old ? old : "";
    setenv("XDG_DATA_HOME", data.Path().c_str(), 1);
    OptionValues& values = *OptionValues::Current();
    EXPECT_EQ(values.Text("mod:2"), "beta: ON");
    values.Step("mod:2", 1);
    EXPECT_EQ(values.Text("mod:2"), "beta: OFF");
    EXPECT_EQ(values.Text("mod:3"), "-");
    const std::string saved = Saved();
    EXPECT_NE(saved.find("<mod name=\"beta\" on=\"no\""), std::string::npos) << saved;
    EXPECT_EQ(SettingsXml::ModsOff(saved), std::vector<std::string>{"beta"});
    values.Step("mod:2", 1);
    EXPECT_EQ(values.Text("mod:2"), "beta: ON");
    setenv("XDG_DATA_HOME", oldData.c_str(), 1);
}
