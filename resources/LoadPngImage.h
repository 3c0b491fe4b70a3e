#pragma once

#include <string>
#include <vector>

// Reads and decodes a PNG file to 8-bit RGBA (rows from the top). On success pixels holds the
// image and width and height its size; on any failure pixels, width and height are left as
// they were. Logs nothing: the caller reports the file name.
void LoadPngImage(const std::string& fileName, std::vector<unsigned char>& pixels, int& width,
                  int& height);
