#include "tools/check/LoaderFindings.h"

#include "tools/check/CheckContext.h"
#include "tools/check/Findings.h"

LoaderFindings::LoaderFindings(Findings& findings)
    : m_findings(findings), m_previous(Diagnostics::Install(this)) {}

LoaderFindings::~LoaderFindings() {
    Diagnostics::Install(m_previous);
}

void LoaderFindings::Report(const std::string& file, int line, const std::string& text) {
    std::string message = text;
    if (!message.empty() && message.back() == '\n') {
        message.pop_back();
    }
    m_findings.GameError(file.empty() ? file : DataFileName(file), line, message);
}
