#pragma once
// Runs the real glimmerax-check binary and captures what it prints and its exit status, and
// prepares data folders for it: copies of the default game data with one mistake made.

#include <string>

struct CheckRun {
    std::string out;  // standard output
    int status = -1;  // exit status; -1 when it did not exit normally (a crash)
};

// Runs glimmerax-check with the arguments (already quoted for the shell). A sanitizer report
// in an instrumented build ends it with status 70.
CheckRun RunCheck(const std::string& arguments);

// Replaces the first occurrence of `from` in the file with `to` and returns the 1-based line
// on which it stood; 0 (and no change) when the file does not contain it.
int ReplaceInFile(const std::string& path, const std::string& from, const std::string& to);
