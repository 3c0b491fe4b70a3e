#pragma once
// Counts the data problems reported while it lives, handing each on unchanged to the sink that
// was current when it was made (the log, the problems overlay, the checker's findings). Live
// reload uses it to tell whether the new version of an item read without a problem.
// Counters nest; each must go before the one made before it (a scope each).

#include <string>

#include "core/Diagnostics.h"

class ProblemCounter : public Diagnostics {
public:
    ProblemCounter();
    ~ProblemCounter() override;
    ProblemCounter(const ProblemCounter&) = delete;
    ProblemCounter& operator=(const ProblemCounter&) = delete;

    void Report(const std::string& file, int line, const std::string& text) override;
    // Problems reported since it was made.
    int Count() const { return m_count; }

private:
    Diagnostics* m_previous = nullptr;  // null: the log
    int m_count = 0;
};
