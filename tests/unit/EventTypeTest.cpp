#include "events/EventType.h"

#include <gtest/gtest.h>

#include <sstream>

#include "events/GUIEvent.h"
#include "events/GUIEventData.h"
#include "events/PlayerDeathEvent.h"
#include "events/PlayerNoMoreLivesEvent.h"

TEST(HashName, KnownValues) {
    EXPECT_EQ(HashName(""), 5381u);
    EXPECT_EQ(HashName("*"), 177615u);
    EXPECT_EQ(HashName("abc"), 193485963u);
}

TEST(HashName, HighBytesCountAsNegative) {
    EXPECT_EQ(HashName(std::string(1, static_cast<char>(0xE9))), 177550u);
}

TEST(HashName, GameEventTypeKeys) {
    EXPECT_EQ(Event_Shooter_Pause.GetKey(), 542928007u);
    EXPECT_EQ(Event_Shooter_PlayerDeath.GetKey(), 3391980444u);
    EXPECT_EQ(Event_Shooter_PlayerNoMoreLives.GetKey(), 2273431689u);
    EXPECT_EQ(Event_Shooter_GUIEvent.GetKey(), 2054900240u);
    EXPECT_EQ(WildcardEventType.GetKey(), 177615u);
}

TEST(EventTypeRecord, DefaultHasKeyZeroAndDiffersFromEmptyName) {
    EventType none;
    EXPECT_EQ(none.GetKey(), 0u);
    EXPECT_NE(none, EventType(""));
}

TEST(EventTypeRecord, EqualityComparesKeysOnly) {
    EventType a("first");
    EventType b("second");
    EXPECT_NE(a, b);
    b = a;
    b.SetName(a.GetName());
    EXPECT_EQ(a, b);
}

TEST(Events, CarryTheirTypesAndData) {
    PlayerDeathEvent death;
    PlayerNoMoreLivesEvent gameOver;
    GUIEvent click("pause");
    EXPECT_EQ(death.GetEventType(), Event_Shooter_PlayerDeath);
    EXPECT_EQ(death.GetData(), nullptr);
    EXPECT_EQ(gameOver.GetEventType(), Event_Shooter_PlayerNoMoreLives);
    EXPECT_EQ(click.GetEventType(), Event_Shooter_GUIEvent);
    ASSERT_NE(click.GetData(), nullptr);
    EXPECT_EQ(static_cast<GUIEventData*>(click.GetData())->m_name, "pause");
}

TEST(Events, SerializeWritesTheKeyAndABlank) {
    std::ostringstream out;
    PlayerDeathEvent().Serialize(out);
    EXPECT_EQ(out.str(), "3391980444 ");
    std::ostringstream gui;
    GUIEvent("quit").Serialize(gui);
    EXPECT_EQ(gui.str(), "2054900240 ");
}
