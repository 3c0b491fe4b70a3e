#pragma once
// Captures everything written to std::cerr (the log) while it lives. It starts with no
// LogRepeating message remembered (their counts go to the real standard error), so what a
// test captures does not depend on the tests run before it in the same process.

#include <iostream>
#include <sstream>
#include <string>

#include "core/Log.h"

class LogCapture {
public:
    LogCapture() {
        FlushLogRepeats();
        m_old = std::cerr.rdbuf(m_buffer.rdbuf());
    }
    ~LogCapture() { std::cerr.rdbuf(m_old); }

    std::string Text() const { return m_buffer.str(); }
    bool Contains(const std::string& text) const { return Text().find(text) != std::string::npos; }
    void Clear() { m_buffer.str(std::string()); }

private:
    std::ostringstream m_buffer;
    std::streambuf* m_old = nullptr;
};
