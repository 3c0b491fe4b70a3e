#include "core/Log.h"

#include <cstdarg>
#include <cstdio>
#include <iostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/DebugOutput.h"

namespace {

void Write(const char* text) {
    OutputDebugStringA(text);
    std::cerr << text;
}

// The LogRepeating messages met so far with how often each came again, in first-met order.
struct Repeats {
    std::vector<std::pair<std::string, unsigned long>> counts;
    std::unordered_map<std::string, size_t> index;  // message -> position in counts
};

Repeats& TheRepeats() {
    static Repeats repeats;
    return repeats;
}

}  // namespace

void LogMessage(const char* format, ...) {
    char buffer[LOG_BUFFER_SIZE];
    va_list args;
    va_start(args, format);
    // vsnprintf never writes past the buffer and always terminates it.
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    Write(buffer);
}

void LogRepeating(const char* format, ...) {
    char buffer[LOG_BUFFER_SIZE];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    Repeats& repeats = TheRepeats();
    const auto found = repeats.index.find(buffer);
    if (found != repeats.index.end()) {
        ++repeats.counts[found->second].second;
        return;
    }
    if (repeats.counts.size() < size_t(LOG_REPEAT_LIMIT)) {
        repeats.index.emplace(buffer, repeats.counts.size());
        repeats.counts.emplace_back(buffer, 0);
    }
    Write(buffer);
}

void FlushLogRepeats() {
    Repeats& repeats = TheRepeats();
    for (const auto& entry : repeats.counts) {
        if (entry.second == 0) {
            continue;
        }
        std::string message = entry.first;
        if (!message.empty() && message.back() == '\n') {
            message.pop_back();
        }
        LogMessage("\"%s\" repeated %lu more times\n", message.c_str(), entry.second);
    }
    repeats.counts.clear();
    repeats.index.clear();
}
