#pragma once

#include <string>
#include <vector>

// Fills bytes (empty on entry) with the whole content of the file, read with one read into a
// buffer sized once. An unreadable file leaves bytes empty. fileName is UTF-8.
void ReadFileBytes(const std::string& fileName, std::vector<unsigned char>& bytes);
