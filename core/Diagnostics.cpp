#include "core/Diagnostics.h"

#include <cstdarg>
#include <cstdio>

#include "core/Log.h"

namespace {

// The default sink: the game's log, text unchanged.
class LogSink : public Diagnostics {
public:
    void Report(const std::string&, int, const std::string& text) override {
        LogMessage("%s", text.c_str());
    }
};

Diagnostics*& Installed() {
    static Diagnostics* sink = nullptr;
    return sink;
}

}  // namespace

Diagnostics& Diagnostics::Current() {
    static LogSink log;
    Diagnostics* sink = Installed();
    return sink ? *sink : log;
}

Diagnostics* Diagnostics::Install(Diagnostics* sink) {
    Diagnostics* previous = Installed();
    Installed() = sink;
    return previous;
}

void ReportProblem(const std::string& file, int line, const char* format, ...) {
    // The same buffer size as the log, so a long text is cut where the log cuts it.
    char buffer[LOG_BUFFER_SIZE];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    Diagnostics::Current().Report(file, line, buffer);
}
