#include "core/Log.h"

#include <cstdarg>
#include <cstdio>
#include <iostream>

#include "platform/DebugOutput.h"

void LogMessage(const char* format, ...) {
    char buffer[LOG_BUFFER_SIZE];
    va_list args;
    va_start(args, format);
    // vsnprintf never writes past the buffer and always terminates it.
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    OutputDebugStringA(buffer);
    std::cerr << buffer;
}
