#include "platform/FileOperations.h"

#include <unistd.h>

#include "platform/FileSystem.h"

namespace platform {
namespace {

class SystemFileOperations : public FileOperations {
public:
    bool MakeFolder(const std::string& path) override { return platform::MakeFolder(path); }
    bool PathExists(const std::string& path) override { return platform::PathExists(path); }
    int CreateTemporary(char* nameTemplate) override {
        return platform::CreateTemporary(nameTemplate);
    }
    ssize_t Write(int fd, const void* data, size_t size) override {
        return write(fd, data, size);
    }
    bool SyncFile(int fd) override { return platform::SyncFile(fd); }
    bool Close(int fd) override {
        return close(fd) == 0;
    }
    bool RenameNoReplace(const std::string& from, const std::string& to) override {
        return platform::RenameNoReplace(from, to);
    }
    bool RenameOver(const std::string& from, const std::string& to) override {
        return platform::RenameOver(from, to);
    }
    void FlushFolder(const std::string& folder) override { platform::FlushFolder(folder); }
    bool RemoveFile(const std::string& path) override { return platform::RemoveFile(path); }
};

}  // namespace

FileOperations& FileOperations::System() {
    static SystemFileOperations system;
    return system;
}

}  // namespace platform
