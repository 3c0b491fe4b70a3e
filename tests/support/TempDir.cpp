#include "support/TempDir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempDir::TempDir() {
    char pattern[] = "/tmp/glimmerax-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) {
        throw std::runtime_error("cannot create a temporary directory");
    }
    m_path = made;
}

TempDir::~TempDir() {
    if (!m_previous.empty()) {
        fs::current_path(m_previous);
    }
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& text) const {
    const fs::path full = fs::path(m_path) / name;
    fs::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary);
    out << text;
    return full.string();
}

void TempDir::CopyFrom(const std::string& directory) const {
    fs::copy(directory, m_path, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void TempDir::Enter() {
    if (m_previous.empty()) {
        m_previous = fs::current_path().string();
    }
    fs::current_path(m_path);
}
