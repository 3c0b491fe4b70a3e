#pragma once
// The operating system's services behind the game's own platform calls (timeGetTime,
// OutputDebugStringA, the data folder). Kept apart from the game-facing headers: on Windows
// the system headers declare functions of the same names, and both cannot meet in one file.

#include <cstdint>
#include <filesystem>

namespace platform {

// Milliseconds since system start, wrapping modulo 2^32: the multimedia timer on Windows,
// the monotonic clock elsewhere.
uint32_t SystemMilliseconds();

// Hands text to an attached debugger on Windows; does nothing elsewhere.
void SystemDebugOutput(const char* text);

// Full path of the running executable on Windows; empty elsewhere, where the launcher
// starts the game in its data folder and the path is never needed.
std::filesystem::path ExecutablePath();

}  // namespace platform
