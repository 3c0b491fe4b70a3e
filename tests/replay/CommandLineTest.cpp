// The program's options: the replay modes, and the usage for anything else.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "world/CommandLine.h"

namespace {

bool Parse(std::vector<const char*> arguments, CommandLine::Options& options, std::string& error) {
    arguments.insert(arguments.begin(), "glimmerax");
    return CommandLine::Parse(static_cast<int>(arguments.size()), arguments.data(), options, error);
}

}  // namespace

TEST(CommandLineTest, NoArgumentsStartTheGame) {
    CommandLine::Options options;
    std::string error;
    ASSERT_TRUE(Parse({}, options, error));
    EXPECT_TRUE(options.replay.empty());
    EXPECT_FALSE(options.verify);
    EXPECT_FALSE(options.help);
}

TEST(CommandLineTest, ReplayAndVerifyInEitherOrder) {
    for (const auto& arguments : {std::vector<const char*>{"--replay", "a.gxr", "--verify"},
                                  std::vector<const char*>{"--verify", "--replay", "a.gxr"}}) {
        CommandLine::Options options;
        std::string error;
        ASSERT_TRUE(Parse(arguments, options, error)) << error;
        EXPECT_EQ(options.replay, "a.gxr");
        EXPECT_TRUE(options.verify);
    }
}

TEST(CommandLineTest, WrongUseIsRefusedWithItsReason) {
    const std::vector<std::pair<std::vector<const char*>, std::string>> cases = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"a.gxr"}, "unknown option a.gxr"},
        {{"--replay"}, "--replay needs FILE"},
        {{"--verify"}, "--verify needs --replay FILE"},
    };
    for (const auto& [arguments, reason] : cases) {
        CommandLine::Options options;
        std::string error;
        EXPECT_FALSE(Parse(arguments, options, error)) << reason;
        EXPECT_EQ(error, reason);
    }
    const std::string usage = CommandLine::Usage("glimmerax");
    EXPECT_EQ(usage.rfind("Usage: glimmerax [options]\n", 0), 0u) << usage;
    EXPECT_NE(usage.find("  --replay FILE   watch the replay FILE"), std::string::npos) << usage;
}
