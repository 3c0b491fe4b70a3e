#pragma once
// Screenshots of the game's picture as PNG files in $XDG_DATA_HOME/glimmerax/screenshots/
// (on Windows %APPDATA%/glimmerax/screenshots/, else ~/.local/share/glimmerax/screenshots/),
// named by the UTC date and time they were taken, "2026-12-08_23-30-15.png" (with "-2",
// "-3", ... when two are taken in the same second). Each file is written atomically.

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

class ScreenshotFile {
public:
    // The screenshots' folder; "" when no variable names one.
    static std::string DefaultFolder();
    // The file name of a screenshot taken at time (UTC), the n-th of that second (from 1).
    static std::string NameAt(std::time_t time, int n);

    explicit ScreenshotFile(std::string folder = DefaultFolder()) : m_folder(std::move(folder)) {}
    // Writes width x height RGB pixels (rows from the top) to a new file and logs its path in
    // one line; "" (logged) when it cannot.
    std::string Save(const std::vector<unsigned char>& rgb, uint32_t width, uint32_t height,
                     std::time_t time) const;

private:
    std::string m_folder;
};
