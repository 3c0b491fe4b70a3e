#pragma once
// Silences the game's log (standard error) while the checker runs one of the game's readers:
// the checker reports the same problems itself, with their lines.

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
