#pragma once
// Debugger output. On Windows every log line also went to an attached debugger; this
// platform has no such channel, so the call does nothing.

// Hands text to the debugger output, if the platform has one.
void OutputDebugStringA(const char* text);
