#pragma once
// The game's one log function. Messages carry their own "\n"; they go to the debugger output
// and to standard error, with no levels and no timestamps.

// Size of the message buffer: a formatted message keeps at most LOG_BUFFER_SIZE - 1 characters.
constexpr int LOG_BUFFER_SIZE = 2048;

// Formats like printf and writes the text; a longer message is cut at the buffer's size.
void LogMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));
