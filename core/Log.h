#pragma once
// The game's one log. Messages carry their own "\n"; they go to the debugger output and to
// standard error, with no levels and no timestamps.

// Size of the message buffer: a formatted message keeps at most LOG_BUFFER_SIZE - 1 characters.
constexpr int LOG_BUFFER_SIZE = 2048;
// How many different messages LogRepeating keeps count of.
constexpr int LOG_REPEAT_LIMIT = 1024;

// Formats like printf and writes the text; a longer message is cut at the buffer's size.
void LogMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));

// For problems that recur on every frame while the data stays as it is (a frame out of range,
// an unknown action name): formats like LogMessage and writes the text the first time it is
// met; a message met again is only counted, so one fault cannot flood the log. Up to
// LOG_REPEAT_LIMIT different messages are counted; past that, new ones are written every time.
void LogRepeating(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Writes one line for every LogRepeating message met more than once since the last flush,
// in the order they were first met: "\"<message>\" repeated N more times\n" (the message
// without its line end). Then forgets them all. The world's shutdown calls it.
void FlushLogRepeats();
