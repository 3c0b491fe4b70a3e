#pragma once
// A small PNG writer for the game's screenshots: 8-bit RGB, no interlacing, every row with
// filter 0, the image data in stored (uncompressed) deflate blocks. A larger file than a
// compressing writer makes, but every PNG reader opens it and it needs no library.

#include <cstdint>
#include <string>

class PngEncoder {
public:
    // The PNG file of width x height pixels at rgb: 3 bytes a pixel, rows from the top, no
    // padding. Empty when the size is 0 or too large for one PNG.
    static std::string EncodeRgb(const unsigned char* rgb, uint32_t width, uint32_t height);
};
