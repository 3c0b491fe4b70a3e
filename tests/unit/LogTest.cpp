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
