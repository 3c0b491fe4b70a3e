#include "platform/FileSystem.h"

#include <cerrno>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#include <direct.h>
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <csignal>
#include <unistd.h>
#endif

namespace platform {

#ifdef _WIN32

namespace {

// errno for the thread's last Windows error, as far as the callers tell reasons apart.
void SetErrnoFromWindows() {
    switch (GetLastError()) {
        case ERROR_ALREADY_EXISTS:
        case ERROR_FILE_EXISTS:
            errno = EEXIST;
            break;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            errno = ENOENT;
            break;
        default:
            errno = EACCES;
            break;
    }
}

}  // namespace

bool MakeFolder(const std::string& path) {
    return _mkdir(path.c_str()) == 0 || errno == EEXIST;
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void FlushFolder(const std::string& /*folder*/) {}

int CreateTemporary(char* nameTemplate) {
    return mkstemp(nameTemplate);
}

bool SyncFile(int fd) {
    return _commit(fd) == 0;
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    SetErrnoFromWindows();
    return false;
}

bool RenameOver(const std::string& from, const std::string& to) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    SetErrnoFromWindows();
    return false;
}

void StopProcessForTest() {}

std::tm UtcTime(std::time_t t) {
    std::tm utc{};
    gmtime_s(&utc, &t);
    return utc;
}

std::string ApplicationDataFolder() {
    const char* folder = std::getenv("APPDATA");
    return folder ? folder : "";
}

#else

bool MakeFolder(const std::string& path) {
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

bool PathExists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

void FlushFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

int CreateTemporary(char* nameTemplate) {
    const int fd = mkstemp(nameTemplate);
    if (fd >= 0) {
        fchmod(fd, 0644);
    }
    return fd;
}

bool SyncFile(int fd) {
    return fsync(fd) == 0;
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
    // link() refuses an existing name, where rename() would replace it.
    if (link(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    unlink(from.c_str());
    return true;
}

bool RenameOver(const std::string& from, const std::string& to) {
    return rename(from.c_str(), to.c_str()) == 0;
}

void StopProcessForTest() {
    raise(SIGSTOP);
}

std::tm UtcTime(std::time_t t) {
    std::tm utc{};
    gmtime_r(&t, &utc);
    return utc;
}

std::string ApplicationDataFolder() {
    return "";
}

#endif

}  // namespace platform
