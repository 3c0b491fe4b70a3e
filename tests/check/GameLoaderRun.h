#pragma once
// The game's side of the agreement between the game and its checker: runs the game's own
// loaders on a data folder in the order the game's start-up runs them (sprite, animation and
// font sets, the first sound set through SDL_mixer, the configured level, the explosions),
// without a window (sheets are decoded, not uploaded), and collects every data problem they
// report through the diagnostics. The checker's findings of origin "game" are parsed from its
// JSON output, so both sides can be compared as sets of (file, line, text).

#include <set>
#include <string>
#include <tuple>

struct Problem {
    std::string file;  // as the data names it, without a leading "./"
    int line = 0;
    std::string text;  // the log line without its line end

    bool operator<(const Problem& other) const {
        return std::tie(file, line, text) < std::tie(other.file, other.line, other.text);
    }
    bool operator==(const Problem& other) const {
        return file == other.file && line == other.line && text == other.text;
    }
};

// The problems the game's loaders report for the data folder that is the working directory.
// A problem met again in the same file with the same text counts once, at its first line, as
// the checker folds it. The resource managers and the sound are emptied afterwards.
std::set<Problem> GameLoaderProblems();

// The error findings of origin "game" in the checker's JSON output.
std::set<Problem> CheckerGameProblems(const std::string& json);
