#pragma once
// Where the loaders report problems of the data (a file missing, a value out of range, a
// name nothing defines). Each report is one finished log line with the place it concerns:
// the data file (relative to the data folder, "" when there is none) and the 1-based line,
// or 0 when the problem concerns the file as a whole or the line is not known.
//
// One sink is current in the process. By default it is the log: the text goes to LogMessage
// exactly as given, so the game's log reads as it always did. The data checker installs a
// sink of its own while it runs the game's loaders, and so reports every problem with the
// game's words.

#include <string>

class Diagnostics {
public:
    virtual ~Diagnostics() = default;

    // text is the whole log line, with its line end.
    virtual void Report(const std::string& file, int line, const std::string& text) = 0;

    // The sink in use: the one installed last, or the log.
    static Diagnostics& Current();
    // Makes sink current (null: the log again) and returns the one it replaces (null when
    // that was the log).
    static Diagnostics* Install(Diagnostics* sink);
};

// Formats like LogMessage and reports the text to the current sink.
void ReportProblem(const std::string& file, int line, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
