#include "platform/FileSystem.h"

#include <cerrno>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

#include <cstring>
#include <random>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <csignal>
#include <unistd.h>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif
#endif

namespace platform {

#ifdef _WIN32

namespace {

// The UTF-16 form of a UTF-8 string, for the wide calls.
std::wstring Wide(const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, &wide[0], length);
    return wide;
}

// The UTF-8 form of a UTF-16 string the system gave.
std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, &text[0], length, nullptr, nullptr);
    return text;
}

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

std::filesystem::path NativePath(const std::string& path) {
    return std::filesystem::path(Wide(path));
}

bool RemoveFile(const std::string& path) {
    return _wunlink(Wide(path).c_str()) == 0;
}

std::string EnvironmentValue(const char* name) {
    const wchar_t* value = _wgetenv(Wide(name).c_str());
    return value ? Utf8(value) : std::string();
}

bool MakeFolder(const std::string& path) {
    return _wmkdir(Wide(path).c_str()) == 0 || errno == EEXIST;
}

bool PathExists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void FlushFolder(const std::string& /*folder*/) {}

int CreateTemporary(char* nameTemplate) {
    // mkstemp, with the name opened through the wide call.
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const size_t length = std::strlen(nameTemplate);
    if (length < 6 || std::strcmp(nameTemplate + length - 6, "XXXXXX") != 0) {
        errno = EINVAL;
        return -1;
    }
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (size_t at = length - 6; at < length; ++at) {
            nameTemplate[at] = kLetters[random() % (sizeof(kLetters) - 1)];
        }
        const int fd = _wsopen(Wide(nameTemplate).c_str(), _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY,
                               _SH_DENYNO, _S_IREAD | _S_IWRITE);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool SyncFile(int fd) {
    return _commit(fd) == 0;
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    SetErrnoFromWindows();
    return false;
}

bool RenameOver(const std::string& from, const std::string& to) {
    if (MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
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
    return EnvironmentValue("APPDATA");
}

#else

std::filesystem::path NativePath(const std::string& path) {
    return std::filesystem::path(path);
}

bool RemoveFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool MakeFolder(const std::string& path) {
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

bool PathExists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

void FlushFolder(const std::string& folder) {
#ifdef __EMSCRIPTEN__
    // The browser keeps the player's files in memory: the page's persistPlayerFiles copies
    // them to IndexedDB, where they outlive the page, without waiting for it (the browser's
    // fsync would wait, which the game's loop cannot do here).
    static_cast<void>(folder);
    EM_ASM({
        if (Module.persistPlayerFiles) {
            Module.persistPlayerFiles();
        }
    });
#else
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
#endif
}

int CreateTemporary(char* nameTemplate) {
    const int fd = mkstemp(nameTemplate);
    if (fd >= 0) {
        fchmod(fd, 0644);
    }
    return fd;
}

bool SyncFile(int fd) {
#ifdef __EMSCRIPTEN__
    // In the browser the file is in memory, and FlushFolder makes it last.
    static_cast<void>(fd);
    return true;
#else
    return fsync(fd) == 0;
#endif
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
#ifdef __EMSCRIPTEN__
    // The browser's file system has no hard links; its program is the only one using it, so
    // nothing can take the name between the check and the rename.
    if (PathExists(to)) {
        errno = EEXIST;
        return false;
    }
    return RenameOver(from, to);
#else
    // link() refuses an existing name, where rename() would replace it.
    if (link(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    unlink(from.c_str());
    return true;
#endif
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

std::string GameDataFolder() {
    const std::string data = EnvironmentValue("XDG_DATA_HOME");
    if (!data.empty()) {
        return data + "/glimmerax";
    }
    const std::string applicationData = ApplicationDataFolder();
    if (!applicationData.empty()) {
        return applicationData + "/glimmerax";
    }
    const std::string home = EnvironmentValue("HOME");
    return home.empty() ? "" : home + "/.local/share/glimmerax";
}

}  // namespace platform
