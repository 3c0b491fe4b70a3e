#include "core/ReadFileBytes.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/DataLayers.h"
#include "platform/FileSystem.h"

void ReadFileBytes(const std::string& fileName, std::vector<unsigned char>& bytes) {
    // A directory opens as a stream on some systems and reports an absurd size: only
    // regular files are read.
    // Through the data layers: a mod's file is read in place of the base's.
    const std::filesystem::path path =
        platform::NativePath(DataLayers::Active().Resolve(fileName));
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return;
    }
    std::ifstream file(path, std::ios::in | std::ios::binary | std::ios::ate);
    file.seekg(0, std::ios::end);
    if (!file.good()) {
        return;
    }
    std::streamoff size = file.tellg();
    file.seekg(0, std::ios::beg);
    if (!file.good()) {
        return;
    }
    size -= file.tellg();
    if (size <= 0) {
        return;
    }
    bytes.resize(size_t(size));
    file.read(reinterpret_cast<char*>(bytes.data()), size);
    // A file that shrank between sizing and reading keeps only what was read.
    bytes.resize(size_t(file.gcount()));
}
