#pragma once
// Paths named in data files. Data may have been written on Windows, so a '\' in a path is read
// as '/'; a base directory and a file name are joined with '/'.

#include <string>

// The path with every '\' turned into '/'.
std::string NormalizeDataPath(const std::string& path);

// base + "/" + file, both normalised; an empty base yields the file name alone.
std::string JoinDataPath(const std::string& base, const std::string& file);
