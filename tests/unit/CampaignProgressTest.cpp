// The campaign's progress kept in the scores file beside the best scores: read back as written,
// a file without progress read as the first level reached, and a malformed entry skipped with
// one log line while the scores are read.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>

#include "game/ScoreBook.h"
#include "game/ScoreFile.h"
#include "game/ScoreTable.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

namespace {

// A scores file as the game wrote it before progress was kept: normal's scores, then easy's.
const char* const kTodaysFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n"
    "<scores>\n"
    "  <score points=\"420\" date=\"2026-12-08T07:00:00Z\" />\n"
    "  <score points=\"77\" date=\"2026-12-08T07:05:00Z\" />\n"
    "  <table difficulty=\"easy\">\n"
    "    <score points=\"999\" date=\"2026-12-08T08:00:00Z\" />\n"
    "  </table>\n"
    "</scores>\n";

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(CampaignProgressTest, TodaysFileIsLevelOneAndProgressRoundTripsBesideTheScores) {
    TempDir dir;
    const std::string path = dir.Write("scores.xml", kTodaysFile);
    ScoreFile file(path);
    ScoreBook book;
    file.Load(book);
    EXPECT_EQ(book.Progress().Reached("normal"), 1);
    EXPECT_EQ(book.Progress().Reached("easy"), 1);
    EXPECT_EQ(book.Table("normal").Best(), 420);
    EXPECT_EQ(book.Table("easy").Best(), 999);
    // Without progress the file is written as before: no <progress> at all.
    EXPECT_EQ(book.ToXml().find("progress"), std::string::npos) << book.ToXml();

    EXPECT_TRUE(book.Progress().Reach("normal", 2));
    EXPECT_TRUE(book.Progress().Reach("hard", 3));
    EXPECT_FALSE(book.Progress().Reach("hard", 2)) << "an earlier level is not further";
    EXPECT_FALSE(book.Progress().Reach("hard", 3));
    ASSERT_TRUE(file.Save(book));
    const std::string saved = ReadAll(path);
    EXPECT_NE(saved.find("<progress difficulty=\"hard\" level=\"3\" />"), std::string::npos)
        << saved;
    EXPECT_NE(saved.find("<progress difficulty=\"normal\" level=\"2\" />"), std::string::npos)
        << saved;

    // A reader that knows only the scores still finds normal's.
    ScoreTable old;
    std::string error;
    ASSERT_TRUE(old.FromXml(saved, error)) << error;
    EXPECT_EQ(old.Entries().size(), 2u);
    EXPECT_EQ(old.Best(), 420);

    ScoreBook again;
    ScoreFile(path).Load(again);
    EXPECT_EQ(again.Progress().Reached("normal"), 2);
    EXPECT_EQ(again.Progress().Reached("hard"), 3);
    EXPECT_EQ(again.Progress().Reached("easy"), 1);
    EXPECT_EQ(again.Table("normal").Entries().size(), 2u);
    EXPECT_EQ(again.Table("easy").Best(), 999);
}

TEST(CampaignProgressTest, EachMalformedEntryIsOneLogLineNamingTheFileAndTheScoresSurvive) {
    TempDir dir;
    const std::string path =
        dir.Write("scores.xml",
                  "<scores>\n"
                  "  <score points=\"420\" date=\"2026-12-08T07:00:00Z\" />\n"
                  "  <progress difficulty=\"normal\" />\n"
                  "  <progress difficulty=\"easy\" level=\"two\" />\n"
                  "  <progress level=\"2\" />\n"
                  "  <progress difficulty=\"hard\" level=\"0\" />\n"
                  "  <progress difficulty=\"hard\" level=\"3x\" />\n"
                  "  <progress difficulty=\"nightmare\" level=\"4\" />\n"
                  "  <progress difficulty=\"nightmare\" level=\"6\" />\n"
                  "  <table difficulty=\"easy\"><score points=\"15\" date=\"d\" /></table>\n"
                  "</scores>\n");
    LogCapture log;
    ScoreBook book;
    ScoreFile(path).Load(book);
    EXPECT_EQ(Occurrences(log.Text(), "\n"), 6) << log.Text();
    EXPECT_EQ(Occurrences(log.Text(), "Scores file " + path + ": the <progress> at line "), 6)
        << log.Text();
    EXPECT_TRUE(log.Contains("line 4 has no whole level of 1 or more (level=\"two\")"))
        << log.Text();
    EXPECT_TRUE(log.Contains("line 5 has no difficulty")) << log.Text();
    EXPECT_TRUE(log.Contains("line 9 names a difficulty already read")) << log.Text();
    EXPECT_EQ(book.Progress().Reached("normal"), 1);
    EXPECT_EQ(book.Progress().Reached("easy"), 1);
    EXPECT_EQ(book.Progress().Reached("hard"), 1);
    // A difficulty this configuration may not define is kept: another one may.
    EXPECT_EQ(book.Progress().Reached("nightmare"), 4);
    EXPECT_EQ(book.Table("normal").Best(), 420);
    EXPECT_EQ(book.Table("easy").Best(), 15);
    struct stat info;
    EXPECT_NE(stat((path + ".bad").c_str(), &info), 0) << "the file is not set aside";
}

}  // namespace
