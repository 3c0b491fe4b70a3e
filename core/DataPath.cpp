#include "core/DataPath.h"

#include <algorithm>

std::string NormalizeDataPath(const std::string& path) {
    std::string normalized = path;
    std::replace(normalized.begin(), normalized.end(), '\\', '/');
    return normalized;
}

std::string JoinDataPath(const std::string& base, const std::string& file) {
    if (base.empty()) {
        return NormalizeDataPath(file);
    }
    return NormalizeDataPath(base) + "/" + NormalizeDataPath(file);
}
