#include "platform/DataFolder.h"

#include <system_error>

namespace platform {

bool EnterDataFolder(const std::filesystem::path& executable) {
    std::error_code error;
    if (executable.empty() || std::filesystem::exists("config.xml", error)) {
        return false;
    }
    const std::filesystem::path data = executable.parent_path() / "data";
    if (!std::filesystem::is_regular_file(data / "config.xml", error)) {
        return false;
    }
    std::filesystem::current_path(data, error);
    return !error;
}

}  // namespace platform
