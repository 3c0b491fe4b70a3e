#pragma once

#include <string>
#include <vector>

// Reads and decodes a PNG file to 8-bit RGBA (rows from the top). On success pixels holds the
// image and width and height its size, and the result is empty; on any failure pixels, width
// and height are left as they were and the result says why, e.g. "bad CRC in chunk IDAT".
// Logs nothing: the caller reports the file name.
std::string LoadPngImage(const std::string& fileName, std::vector<unsigned char>& pixels,
                         int& width, int& height);
