#pragma once
// Where the game's data is found. The game reads config.xml from its working directory. The
// Windows release keeps the data in a folder named data beside the executable, while
// double-clicking a program starts it in the program's own folder: the program then moves
// into its data folder before anything is read.

#include <filesystem>

namespace platform {

// Makes executable's sibling folder "data" the working directory when the working directory
// holds no config.xml and that folder does. A working directory with its own config.xml is
// kept (a game started from another data folder), as is everything when executable is empty.
// Returns true when the working directory changed.
bool EnterDataFolder(const std::filesystem::path& executable);

}  // namespace platform
