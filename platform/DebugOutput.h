#pragma once
// Debugger output. Every log line also goes to an attached debugger: on Windows through the
// system's OutputDebugStringA; other platforms have no such channel and the call does nothing.

// Hands text to the debugger output, if the platform has one.
void OutputDebugStringA(const char* text);
