#pragma once
// Silences the game's log (standard error) while the checker runs the game's own code: the
// loaders log what they loaded, and a flying enemy with an unknown action logs it on every
// update. The problems reach the checker through the diagnostics or its own checks.

#include <iostream>
#include <sstream>

class QuietLog {
public:
    QuietLog() : m_previous(std::cerr.rdbuf(m_sink.rdbuf())) {}
    ~QuietLog() { std::cerr.rdbuf(m_previous); }
    QuietLog(const QuietLog&) = delete;
    QuietLog& operator=(const QuietLog&) = delete;

private:
    std::ostringstream m_sink;
    std::streambuf* m_previous;
};
