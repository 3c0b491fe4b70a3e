#pragma once
// The checker's sink for the game's diagnostics: while it exists, every data problem the
// game's loaders report becomes an error finding, with the game's log line (without its line
// end) as the message, at the file (as the data names it) and line reported.

#include "core/Diagnostics.h"

class Findings;

class LoaderFindings : public Diagnostics {
public:
    // Installs itself as the current sink.
    explicit LoaderFindings(Findings& findings);
    // Gives the sink it replaced back.
    ~LoaderFindings() override;
    LoaderFindings(const LoaderFindings&) = delete;
    LoaderFindings& operator=(const LoaderFindings&) = delete;

    void Report(const std::string& file, int line, const std::string& text) override;

private:
    Findings& m_findings;
    Diagnostics* m_previous;
};
