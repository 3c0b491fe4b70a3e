// Rebound keys and pad buttons: the new key drives its action, the old key no longer does,
// and the designed keys stay as they were for the actions left alone.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "world/InputMapping.h"

namespace {

// The commands that come out, by kind, with the fire flag and steering step.
class RecordingSink : public CommandSink {
public:
    void Execute(const GameCommand& command) override { commands.push_back(command); }
    void ToInterface(int&, int&) const override {}
    std::vector<GameCommand> commands;
};

class RebindingTest : public ::testing::Test {
protected:
    void Key(Uint8 type, SDLKey key) {
        SDL_Event event{};
        event.type = type;
        event.key.type = type;
        event.key.keysym.sym = key;
        m_input.Handle(event, m_sink);
    }
    void Button(Uint8 type, int button) {
        SDL_Event event{};
        event.type = type;
        event.jbutton.type = type;
        event.jbutton.button = static_cast<Uint8>(button);
        m_input.Handle(event, m_sink);
    }
    // The commands of one key's press and release.
    std::vector<GameCommand> Tap(SDLKey key) {
        m_sink.commands.clear();
        Key(SDL_KEYDOWN, key);
        Key(SDL_KEYUP, key);
        return m_sink.commands;
    }
    std::vector<GameCommand> TapButton(int button) {
        m_sink.commands.clear();
        Button(SDL_JOYBUTTONDOWN, button);
        Button(SDL_JOYBUTTONUP, button);
        return m_sink.commands;
    }

    InputMapping m_input;
    RecordingSink m_sink;
};

TEST_F(RebindingTest, AReboundKeyDrivesItsActionAndTheOldKeyNoLongerDoes) {
    KeyBindings bindings;
    bindings.SetKey(Action::Fire, 0, SDLK_f);
    bindings.SetKey(Action::Up, 0, SDLK_SPACE);
    bindings.SetKey(Action::Quit, 0, SDLK_q);
    m_input.SetBindings(bindings);

    std::vector<GameCommand> fired = Tap(SDLK_f);
    ASSERT_EQ(fired.size(), 2u);
    EXPECT_EQ(fired[0].kind, CommandKind::Fire);
    EXPECT_TRUE(fired[0].on);
    EXPECT_FALSE(fired[1].on) << "the rebound fire key stops firing on release";

    std::vector<GameCommand> space = Tap(SDLK_SPACE);
    ASSERT_EQ(space.size(), 2u);
    EXPECT_EQ(space[0].kind, CommandKind::Steer) << "Space now steers up and no longer fires";
    EXPECT_EQ(space[0].step.y, 14.0f);
    EXPECT_EQ(space[1].step.y, -14.0f);

    EXPECT_TRUE(Tap(SDLK_UP).empty()) << "Up's slot went to Space";
    EXPECT_EQ(Tap(SDLK_w).size(), 2u) << "W still steers up";
    EXPECT_TRUE(Tap(SDLK_ESCAPE).empty()) << "Escape no longer quits";
    ASSERT_EQ(Tap(SDLK_q).size(), 1u);
    EXPECT_EQ(Tap(SDLK_q)[0].kind, CommandKind::Quit);
    ASSERT_EQ(Tap(SDLK_m).size(), 1u) << "an action left alone keeps its designed key";
    EXPECT_EQ(Tap(SDLK_m)[0].kind, CommandKind::Ring);
}

TEST_F(RebindingTest, AReboundPadButtonActsAsTheActionsKeyAndTheOldButtonNoLonger) {
    KeyBindings bindings;
    bindings.SetButton(Action::Ring, 3);
    bindings.SetButton(Action::Pause, 0);
    m_input.SetBindings(bindings);

    std::vector<GameCommand> ring = TapButton(3);
    ASSERT_EQ(ring.size(), 1u);
    EXPECT_EQ(ring[0].kind, CommandKind::Ring);
    EXPECT_TRUE(TapButton(1).empty()) << "the designed ring button no longer fires the ring";
    std::vector<GameCommand> pause = TapButton(0);
    ASSERT_EQ(pause.size(), 1u);
    EXPECT_EQ(pause[0].kind, CommandKind::TogglePause) << "button 0 was taken from fire";
    ASSERT_EQ(TapButton(5).size(), 1u) << "the shoulders still step the weapon";

    bindings.RestoreDefaults();
    m_input.SetBindings(bindings);
    ASSERT_EQ(TapButton(0).size(), 2u);
    EXPECT_EQ(TapButton(0)[0].kind, CommandKind::Fire);
    ASSERT_EQ(Tap(SDLK_SPACE).size(), 2u);
    EXPECT_EQ(Tap(SDLK_SPACE)[0].kind, CommandKind::Fire) << "restore defaults brings Space back";
}

}  // namespace
