#pragma once
// Turns the decompressed scanlines of a PNG image into the RGBA image: works out how many
// bytes of filtered scanlines the image has, then undoes the filters row by row (in place)
// and converts each row to RGBA as it is reconstructed, so every row is handled while it is
// still in the cache. Interlaced images are reconstructed pass by pass and their pixels
// scattered to their places.

#include <cstdint>

struct PngImageInfo;

class PngImageAssembler {
public:
    explicit PngImageAssembler(const PngImageInfo& info) : m_info(info) {}

    // Bytes of filtered scanlines (filter type byte plus row data per row, over all passes).
    uint64_t FilteredSize() const;

    // Reconstructs the image from FilteredSize() bytes at filtered (modified in place) into
    // width * height * 4 bytes at rgba. Returns 0 or a PngError code.
    unsigned Assemble(unsigned char* filtered, unsigned char* rgba) const;

private:
    unsigned AssembleRgba8(const unsigned char* filtered, unsigned char* rgba) const;
    unsigned AssembleProgressive(unsigned char* filtered, unsigned char* rgba) const;
    unsigned AssembleInterlaced(unsigned char* filtered, unsigned char* rgba) const;

    const PngImageInfo& m_info;
};
