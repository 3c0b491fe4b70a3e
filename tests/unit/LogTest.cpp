#include "core/Log.h"

#include <gtest/gtest.h>

#include <string>

#include "support/LogCapture.h"

TEST(Log, WritesTheFormattedTextUnchanged) {
    LogCapture log;
    LogMessage("SDL Initialised!\n");
    LogMessage("CSprite: Sprite \"%s\" Loaded\n", "ship");
    LogMessage("no line end");
    LogMessage(" runs on\n");
    EXPECT_EQ(log.Text(),
              "SDL Initialised!\nCSprite: Sprite \"ship\" Loaded\nno line end runs on\n");
}

TEST(Log, LongMessagesAreCutAtTheBufferSize) {
    LogCapture log;
    const std::string longText(5000, 'x');
    LogMessage("%s", longText.c_str());
    EXPECT_EQ(log.Text(), std::string(LOG_BUFFER_SIZE - 1, 'x'));
}

TEST(Log, RepeatingMessageIsWrittenOnceAndCountedUntilTheFlush) {
    LogCapture log;
    for (int i = 0; i < 200; ++i) {
        LogRepeating("Action \"%s\" not found in animation \"%s\"\n", "flyy", "ship");
        LogRepeating("CSprite: Frame: %d not in range of sprite %s\n", 7, "dart");
    }
    LogRepeating("CSprite: Frame: %d not in range of sprite %s\n", 8, "dart");
    EXPECT_EQ(log.Text(),
              "Action \"flyy\" not found in animation \"ship\"\n"
              "CSprite: Frame: 7 not in range of sprite dart\n"
              "CSprite: Frame: 8 not in range of sprite dart\n");
    log.Clear();
    FlushLogRepeats();
    // In the order first met; a message met once gets no count.
    EXPECT_EQ(log.Text(),
              "\"Action \"flyy\" not found in animation \"ship\"\" repeated 199 more times\n"
              "\"CSprite: Frame: 7 not in range of sprite dart\" repeated 199 more times\n");
    // The flush forgets: the next time the message is written again, and counted afresh.
    log.Clear();
    LogRepeating("CSprite: Frame: %d not in range of sprite %s\n", 7, "dart");
    LogRepeating("CSprite: Frame: %d not in range of sprite %s\n", 7, "dart");
    FlushLogRepeats();
    EXPECT_EQ(log.Text(),
              "CSprite: Frame: 7 not in range of sprite dart\n"
              "\"CSprite: Frame: 7 not in range of sprite dart\" repeated 1 more times\n");
}

TEST(Log, OrdinaryMessagesAreNeverCounted) {
    LogCapture log;
    LogMessage("CGUI: Layer \"x\" missing\n");
    LogMessage("CGUI: Layer \"x\" missing\n");
    LogRepeating("CGUI: Layer \"x\" missing\n");
    FlushLogRepeats();
    // The repeating call meets the text for the first time: LogMessage lines do not count.
    EXPECT_EQ(log.Text(),
              "CGUI: Layer \"x\" missing\nCGUI: Layer \"x\" missing\nCGUI: Layer \"x\" missing\n");
}

TEST(Log, CountsAtMostTheLimitOfDifferentMessages) {
    LogCapture log;
    for (int i = 0; i <= LOG_REPEAT_LIMIT; ++i) {
        LogRepeating("message %d\n", i);
    }
    log.Clear();
    LogRepeating("message %d\n", 0);
    LogRepeating("message %d\n", LOG_REPEAT_LIMIT);  // past the limit: written every time
    FlushLogRepeats();
    EXPECT_EQ(log.Text(), "message " + std::to_string(LOG_REPEAT_LIMIT) +
                              "\n\"message 0\" repeated 1 more times\n");
}
