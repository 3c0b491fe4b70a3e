#include "world/ScreenshotFile.h"

#include <cstdio>

#include "core/Log.h"
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "png/PngEncoder.h"

namespace {

// Screenshots taken within one second before the names run out.
constexpr int kNamesPerSecond = 100;

}  // namespace

std::string ScreenshotFile::DefaultFolder() {
    const std::string folder = platform::GameDataFolder();
    return folder.empty() ? "" : folder + "/screenshots";
}

std::string ScreenshotFile::NameAt(std::time_t time, int n) {
    const std::tm utc = platform::UtcTime(time);
    char name[64];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d_%02d-%02d-%02d", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
    return std::string(name) + (n > 1 ? "-" + std::to_string(n) : "") + ".png";
}

std::string ScreenshotFile::Save(const std::vector<unsigned char>& rgb, uint32_t width,
                                 uint32_t height, std::time_t time) const {
    const std::string png = rgb.size() == size_t{width} * height * 3
                                ? PngEncoder::EncodeRgb(rgb.data(), width, height)
                                : std::string();
    std::string error = png.empty()        ? "no picture to save"
                        : m_folder.empty() ? "no folder to keep it in"
                                           : "every name of this second is taken";
    for (int n = 1; !png.empty() && !m_folder.empty() && n <= kNamesPerSecond; ++n) {
        const std::string path = m_folder + "/" + NameAt(time, n);
        if (platform::PathExists(path)) {
            continue;
        }
        if (platform::AtomicFile(path).Save(png, error)) {
            LogMessage("Screenshot saved: %s\n", path.c_str());
            return path;
        }
        break;
    }
    LogMessage("Screenshot not saved in %s: %s\n", m_folder.c_str(), error.c_str());
    return "";
}
