#pragma once
// The file operations that keep a player's file safe on disk, for each system: folders made
// one at a time, new files flushed to the disk, and renames that either refuse an existing name
// or replace it in one step. Every call that can fail returns false (or -1) and leaves the
// reason in errno.
//
// Paths and environment values are UTF-8 throughout the game. On Windows they become the
// system's wide strings only in here: the narrow calls would pass them through the system's
// code page, where a name such as "Łukasz" is not representable and another folder is meant.

#include <ctime>
#include <filesystem>
#include <string>

namespace platform {

// The path for std::filesystem and the standard streams that names the UTF-8 path's file.
std::filesystem::path NativePath(const std::string& path);
// Removes the file; false (errno set) when it cannot.
bool RemoveFile(const std::string& path);
// The value of the environment variable in UTF-8; "" when it is not set.
std::string EnvironmentValue(const char* name);

// Makes one folder; true when it was made or is already there.
bool MakeFolder(const std::string& path);
// True when something exists under path (a symbolic link counts as itself).
bool PathExists(const std::string& path);
// Sends folder's list of entries to the disk, so that a rename inside it lasts through a
// crash. Windows journals that itself: nothing to do there.
void FlushFolder(const std::string& folder);
// Creates a new file from nameTemplate (ending in XXXXXX, replaced in place by the name
// made), readable by everyone and writable by its owner; its descriptor, or -1.
int CreateTemporary(char* nameTemplate);
// Sends the open file's content to the disk.
bool SyncFile(int fd);
// Gives the file from the name to, refusing a name that is taken (errno EEXIST); the name
// from is gone afterwards.
bool RenameNoReplace(const std::string& from, const std::string& to);
// Gives the file from the name to, replacing a file of that name in one step.
bool RenameOver(const std::string& from, const std::string& to);
// Stops the process until it is continued or killed (a test's hook); nothing on Windows,
// which has no such signal.
void StopProcessForTest();
// The broken-down UTC time of t.
std::tm UtcTime(std::time_t t);
// The folder for the user's application data: %APPDATA% on Windows, "" elsewhere (where the
// XDG folders serve).
std::string ApplicationDataFolder();
// The game's own folder for what the player keeps (scores, replays, screenshots, mods):
// $XDG_DATA_HOME/glimmerax, else %APPDATA%/glimmerax (Windows), else
// ~/.local/share/glimmerax; "" when none of these is known.
std::string GameDataFolder();

}  // namespace platform
