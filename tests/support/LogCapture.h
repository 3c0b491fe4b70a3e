#pragma once
// Captures everything written to std::cerr (the log) while it lives.

#include <iostream>
#include <sstream>
#include <string>

class LogCapture {
public:
    LogCapture() : m_old(std::cerr.rdbuf(m_buffer.rdbuf())) {}
    ~LogCapture() { std::cerr.rdbuf(m_old); }

    std::string Text() const { return m_buffer.str(); }
    bool Contains(const std::string& text) const { return Text().find(text) != std::string::npos; }
    void Clear() { m_buffer.str(std::string()); }

private:
    std::ostringstream m_buffer;
    std::streambuf* m_old;
};
