#include "core/ProblemCounter.h"

#include "core/Log.h"

ProblemCounter::ProblemCounter() : m_previous(Diagnostics::Install(this)) {}

ProblemCounter::~ProblemCounter() {
    Diagnostics::Install(m_previous);
}

void ProblemCounter::Report(const std::string& file, int line, const std::string& text) {
    ++m_count;
    if (m_previous) {
        m_previous->Report(file, line, text);
    } else {
        // The default sink's words: the text goes to the log as it is.
        LogMessage("%s", text.c_str());
    }
}
