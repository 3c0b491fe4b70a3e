#pragma once
// The file calls that keep a player's file safe, behind one interface so that a test can see
// their order (write, flush to the disk, rename, flush the folder) through a recording
// stand-in. System() is the real thing: the functions of FileSystem.h and the descriptor
// calls of the C library. Every call reports failure as those do, with the reason in errno.

#include <sys/types.h>

#include <string>

namespace platform {

class FileOperations {
public:
    virtual ~FileOperations() = default;

    virtual bool MakeFolder(const std::string& path) = 0;
    virtual bool PathExists(const std::string& path) = 0;
    virtual int CreateTemporary(char* nameTemplate) = 0;
    // Writes up to size bytes; the count written, or -1.
    virtual ssize_t Write(int fd, const void* data, size_t size) = 0;
    virtual bool SyncFile(int fd) = 0;
    // Closes the descriptor; false when the close reports an error.
    virtual bool Close(int fd) = 0;
    virtual bool RenameNoReplace(const std::string& from, const std::string& to) = 0;
    virtual bool RenameOver(const std::string& from, const std::string& to) = 0;
    virtual void FlushFolder(const std::string& folder) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;

    // The system's file calls; one object for the whole process.
    static FileOperations& System();
};

}  // namespace platform
