#pragma once
// The checker's findings: one per problem, each pointing at a file (relative to the data
// folder) and a line, printed in the form compilers use so that editors can jump to it.

#include <ostream>
#include <string>
#include <vector>

enum class Severity { Error, Warning };

struct Finding {
    std::string file;  // relative to the data folder
    int line = 0;      // 1-based; 0 when the finding concerns the file as a whole
    Severity severity = Severity::Error;
    std::string message;
    int repeats = 0;        // later findings of the same file and message, folded into this one
    bool fromGame = false;  // reported by the game's own loaders, in the game's words
    std::string layer{};    // with mods active: "data" or the mod the file came from
};

// A finding that repeats one already made for the same file (the same unknown name used on
// many lines, typically because the file defining it did not load) is folded into the first,
// which then says how many more there are: the first line is the one to jump to.
class Findings {
public:
    void Error(const std::string& file, int line, const std::string& message);
    void Warning(const std::string& file, int line, const std::string& message);
    // An error one of the game's loaders reported: message is the game's log line.
    void GameError(const std::string& file, int line, const std::string& message);

    int ErrorCount() const;
    int WarningCount() const;
    const std::vector<Finding>& All() const { return m_findings; }

    // "path:line: error: message" lines in the order found, then "N errors, M warnings". With
    // mods active, each line ends in " [layer NAME]", NAME being "data" or the mod's name.
    void PrintText(std::ostream& out) const;
    // One JSON array of {"file", "line", "severity", "message", "origin"} objects; origin is
    // "game" for a problem the game's loaders report (its message is the game's log line)
    // and "checker" for one only the checker finds. With mods active each also has "layer".
    void PrintJson(std::ostream& out) const;

private:
    void Add(const Finding& finding);
    // The message as printed, with the count of folded repeats.
    static std::string Text(const Finding& finding);

    std::vector<Finding> m_findings;
};
