#pragma once
// The file operations that keep a player's file safe on disk, for each system: folders made
// one at a time, new files flushed to the disk, and renames that either refuse an existing name
// or replace it in one step. Every call that can fail returns false (or -1) and leaves the
// reason in errno.

#include <ctime>
#include <string>

namespace platform {

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

}  // namespace platform
