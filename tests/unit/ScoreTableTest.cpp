// The best-score table (order, ten entries, ties, its XML) and the file that keeps it:
// atomic replacement, a corrupt file kept aside, a folder that cannot be written.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "game/ScoreBook.h"
#include "game/ScoreFile.h"
#include "game/ScoreTable.h"
#include "platform/FileOperations.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// The names in a folder, one a line, sorted.
std::string Listing(const std::string& folder) {
    std::string names;
    FILE* pipe = popen(("ls -A " + folder).c_str(), "r");
    char line[256];
    while (pipe && fgets(line, sizeof line, pipe)) {
        names += line;
    }
    if (pipe) {
        pclose(pipe);
    }
    return names;
}

int CountLines(const std::string& text) {
    int lines = 0;
    for (const char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

TEST(ScoreTableTest, KeepsTheTenBestInOrderAndTiesGoBelowTheOlderScore) {
    ScoreTable table;
    EXPECT_EQ(table.Best(), 0);
    EXPECT_EQ(table.Add(300, "a"), 0);
    EXPECT_EQ(table.Add(900, "b"), 0);
    EXPECT_EQ(table.Add(600, "c"), 1);
    EXPECT_EQ(table.Add(600, "d"), 2) << "a tie goes below the score already kept";
    EXPECT_EQ(table.Best(), 900);
    const auto& entries = table.Entries();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[1].date, "c");
    EXPECT_EQ(entries[2].date, "d");
    EXPECT_EQ(entries[3].points, 300);

    for (int i = 0; i < 7; ++i) {
        table.Add(500, "e");
    }
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries.back().points, 500);
    EXPECT_EQ(table.Add(500, "tie with the tenth"), -1) << "a tie with the tenth stays out";
    EXPECT_EQ(table.Add(100, "low"), -1);
    EXPECT_EQ(table.Add(700, "f"), 1);
    EXPECT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries.back().points, 500);
    EXPECT_EQ(entries[9].date, "e");
}

TEST(ScoreTableTest, XmlRoundTripAndAFileInAnyOrderIsSorted) {
    ScoreTable table;
    table.Add(1200, "2026-12-08T07:00:00Z");
    table.Add(60, "2026-12-08T07:05:00Z");
    ScoreTable read;
    std::string error;
    ASSERT_TRUE(read.FromXml(table.ToXml(), error)) << error;
    ASSERT_EQ(read.Entries().size(), 2u);
    EXPECT_EQ(read.Entries()[0].points, 1200);
    EXPECT_EQ(read.Entries()[1].date, "2026-12-08T07:05:00Z");

    ASSERT_TRUE(
        read.FromXml("<scores><score points=\"5\" date=\"x\"/><score points=\"50\"/>"
                     "<score points=\"5\" date=\"y\"/></scores>",
                     error));
    ASSERT_EQ(read.Entries().size(), 3u);
    EXPECT_EQ(read.Entries()[0].points, 50);
    EXPECT_EQ(read.Entries()[1].date, "x");
    EXPECT_EQ(read.Entries()[2].date, "y");
}

TEST(ScoreTableTest, TextThatIsNotAScoreTableLeavesTheTableAsItWas) {
    ScoreTable table;
    table.Add(77, "kept");
    std::string error;
    for (const char* text :
         {"<scores><score points=\"1\"", "<highscores/>", "",
          // Ends inside a four-byte character: the reader must not step past the text
          // (AddressSanitizer reports the read when it does).
          "<scores><score points=\"1\" date=\"\xF0",
          "<scores><score points=\"lots\"/></scores>", "<scores><score date=\"x\"/></scores>"}) {
        error.clear();
        EXPECT_FALSE(table.FromXml(text, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        ASSERT_EQ(table.Entries().size(), 1u) << text;
        EXPECT_EQ(table.Best(), 77);
    }
}

TEST(ScoreTableTest, NowIsAnIso8601UtcTime) {
    const std::string now = ScoreTable::Now();
    ASSERT_EQ(now.size(), 20u) << now;
    EXPECT_EQ(now[4], '-');
    EXPECT_EQ(now[10], 'T');
    EXPECT_EQ(now[13], ':');
    EXPECT_EQ(now[19], 'Z');
}

TEST(ScoreFileTest, PathFollowsXdgDataHomeThenHome) {
    const char* savedXdg = std::getenv("XDG_DATA_HOME");
    const std::string xdg = savedXdg ? savedXdg : "";
    setenv("XDG_DATA_HOME", "/data/home", 1);
    EXPECT_EQ(ScoreFile::DefaultPath(), "/data/home/glimmerax/scores.xml");
    setenv("XDG_DATA_HOME", "", 1);
    setenv("HOME", "/home/player", 1);
    EXPECT_EQ(ScoreFile::DefaultPath(), "/home/player/.local/share/glimmerax/scores.xml");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(ScoreFile::DefaultPath(), "/home/player/.local/share/glimmerax/scores.xml");
    if (savedXdg) {
        setenv("XDG_DATA_HOME", xdg.c_str(), 1);
    }
}

TEST(ScoreFileTest, SavesIntoANewFolderAndLoadsTheSameTableLeavingNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.Path() + "/a/b/glimmerax/scores.xml";
    ScoreTable table;
    table.Add(420, "2026-12-08T07:00:00Z");
    ScoreFile file(path);
    ASSERT_TRUE(file.Save(table));
    table.Add(999, "2026-12-08T07:01:00Z");
    ASSERT_TRUE(file.Save(table));

    ScoreTable read;
    ScoreFile(path).Load(read);
    ASSERT_EQ(read.Entries().size(), 2u);
    EXPECT_EQ(read.Best(), 999);
    const std::string listing = Listing(dir.Path() + "/a/b/glimmerax");
    EXPECT_EQ(listing, "scores.xml\n") << "a temporary file was left behind";
}

// The system's file calls, each named in a log as it is made (folders are left out).
class RecordingFiles : public platform::FileOperations {
public:
    bool MakeFolder(const std::string& path) override { return real.MakeFolder(path); }
    bool PathExists(const std::string& path) override { return real.PathExists(path); }
    int CreateTemporary(char* nameTemplate) override {
        calls += "create ";
        return real.CreateTemporary(nameTemplate);
    }
    ssize_t Write(int fd, const void* data, size_t size) override {
        // One byte at a time: every write must come before the flush.
        calls += "write ";
        return real.Write(fd, data, size < 1 ? size : 1);
    }
    bool SyncFile(int fd) override {
        calls += "sync ";
        return real.SyncFile(fd);
    }
    bool Close(int fd) override {
        calls += "close ";
        return real.Close(fd);
    }
    bool RenameNoReplace(const std::string& from, const std::string& to) override {
        calls += "rename-aside ";
        return real.RenameNoReplace(from, to);
    }
    bool RenameOver(const std::string& from, const std::string& to) override {
        calls += "rename ";
        return real.RenameOver(from, to);
    }
    void FlushFolder(const std::string& folder) override {
        calls += "flush-folder ";
        real.FlushFolder(folder);
    }
    bool RemoveFile(const std::string& path) override {
        calls += "remove ";
        return real.RemoveFile(path);
    }

    platform::FileOperations& real = platform::FileOperations::System();
    std::string calls;
};

// A save reaches the disk in the one safe order: the whole text written, flushed to the disk,
// closed, renamed over the old file, and the folder flushed; a file set aside is renamed
// without replacing anything and the folder flushed.
TEST(ScoreFileTest, FileCallsComeInTheOrderThatSurvivesACrash) {
    TempDir dir;
    const std::string path = dir.Path() + "/glimmerax/scores.xml";
    ScoreTable table;
    table.Add(7, "x");
    RecordingFiles files;
    ScoreFile file(path, files);
    ASSERT_TRUE(file.Save(table));
    std::string expected = "create ";
    for (size_t i = 0; i < table.ToXml().size(); ++i) {
        expected += "write ";
    }
    expected += "sync close rename flush-folder ";
    EXPECT_EQ(files.calls, expected);

    std::ofstream(path) << "not xml";
    files.calls.clear();
    ScoreFile(path, files).Load(table);
    EXPECT_EQ(files.calls, "rename-aside flush-folder ");
}

TEST(ScoreFileTest, AFileThatDoesNotParseIsKeptAsideNeverOverwrittenAndTheTableStartsFresh) {
    TempDir dir;
    const std::string path = dir.Write("scores.xml", "<scores><score points=");
    dir.Write("scores.xml.bad", "an older bad file");
    ScoreTable table;
    table.Add(5, "stale");
    LogCapture log;
    ScoreFile file(path);
    file.Load(table);
    EXPECT_TRUE(table.Entries().empty());
    EXPECT_EQ(CountLines(log.Text()), 1) << log.Text();
    EXPECT_TRUE(log.Contains(path)) << log.Text();
    EXPECT_TRUE(log.Contains("scores.xml.bad.1")) << log.Text();
    EXPECT_EQ(ReadAll(path + ".bad"), "an older bad file");
    EXPECT_EQ(ReadAll(path + ".bad.1"), "<scores><score points=");
    EXPECT_FALSE(Exists(path));

    // The fresh table is saved where the bad one was.
    table.Add(10, "new");
    ASSERT_TRUE(file.Save(table));
    ScoreTable read;
    ScoreFile(path).Load(read);
    EXPECT_EQ(read.Best(), 10);
}

TEST(ScoreFileTest, AMissingFileIsAnEmptyTableWithoutALogLine) {
    TempDir dir;
    ScoreTable table;
    LogCapture log;
    ScoreFile(dir.Path() + "/none/scores.xml").Load(table);
    EXPECT_TRUE(table.Entries().empty());
    EXPECT_EQ(log.Text(), "");
}

TEST(ScoreFileTest, AFolderThatCannotBeMadeCostsOneLogLineForTheWholeRun) {
    TempDir dir;
    // A plain file where the folder should be.
    const std::string blocker = dir.Write("glimmerax", "not a folder");
    ScoreTable table;
    table.Add(1, "x");
    LogCapture log;
    ScoreFile file(blocker + "/scores.xml");
    EXPECT_FALSE(file.Save(table));
    EXPECT_FALSE(file.Save(table));
    EXPECT_EQ(CountLines(log.Text()), 1) << log.Text();
    EXPECT_TRUE(log.Contains("the game plays on")) << log.Text();
    EXPECT_EQ(ReadAll(blocker), "not a folder");
}

}  // namespace

TEST(ScoreBookTest, TodaysFileIsNormalsTableAndSavingEasyKeepsItsNormalPartByteForByte) {
    TempDir dir;
    const std::string path = dir.Path() + "/scores.xml";
    ScoreTable today;
    today.Add(420, "2026-12-08T07:00:00Z");
    today.Add(77, "2026-12-08T07:05:00Z");
    const std::string written = today.ToXml();
    {
        std::ofstream out(path);
        out << written;
    }
    ScoreFile file(path);
    ScoreBook book;
    file.Load(book);
    ASSERT_NE(book.Find("normal"), nullptr);
    EXPECT_EQ(book.Find("normal")->Entries().size(), 2u);
    EXPECT_EQ(book.Table("normal").Best(), 420);

    book.Table("easy").Add(999, "2026-12-08T08:00:00Z");
    ASSERT_TRUE(file.Save(book));
    const std::string saved = ReadAll(path);
    // Everything up to normal's last score is the old file's text, the table after it.
    const std::string normalPart = written.substr(0, written.find("</scores>"));
    EXPECT_EQ(saved.compare(0, normalPart.size(), normalPart), 0) << saved;
    EXPECT_NE(saved.find("<table difficulty=\"easy\">"), std::string::npos) << saved;

    // Today's reader still finds normal's scores; the book reads both tables back.
    ScoreTable old;
    std::string error;
    ASSERT_TRUE(old.FromXml(saved, error)) << error;
    EXPECT_EQ(old.Entries().size(), 2u);
    EXPECT_EQ(old.Best(), 420);
    ScoreBook again;
    ScoreFile(path).Load(again);
    EXPECT_EQ(again.Table("easy").Best(), 999);
    EXPECT_EQ(again.Table("normal").Best(), 420);
    // Saving normal's table again keeps easy's.
    again.Table("normal").Add(5, "2026-12-08T09:00:00Z");
    ASSERT_TRUE(ScoreFile(path).Save(again));
    ScoreBook third;
    ScoreFile(path).Load(third);
    EXPECT_EQ(third.Table("easy").Best(), 999);
    EXPECT_EQ(third.Table("normal").Entries().size(), 3u);
}
