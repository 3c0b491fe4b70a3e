#pragma once
// Turns the decompressed scanlines of a PNG image into the RGBA image: undoes the filters row
// by row and converts each row to RGBA as soon as it is reconstructed, so every row is handled
// while it is still in the cache.
//
// The scanlines of a non-interlaced image may lie inside the RGBA buffer, at the end of a
// buffer of WorkingSize() bytes, with the RGBA rows written from its start: writing row y
// never reaches scanline y + 1, because either the RGBA rows are shorter than the scanlines,
// or the scanlines start late enough that the writes stay behind them. An interlaced image is
// reconstructed pass by pass from a separate scanline buffer and its pixels scattered to their
// places.

#include <cstdint>

struct PngImageInfo;

class PngImageAssembler {
public:
    explicit PngImageAssembler(const PngImageInfo& info) : m_info(info) {}

    // Bytes of filtered scanlines (filter type byte plus row data per row, over all passes).
    uint64_t FilteredSize() const;
    // Size of the one buffer a non-interlaced image is assembled in: the larger of
    // FilteredSize() and the RGBA image.
    uint64_t WorkingSize() const;

    // Reconstructs the image from FilteredSize() bytes of scanlines (modified) into
    // width * height * 4 bytes at rgba. The scanlines are separate from rgba, or (non-interlaced
    // images only) rgba is the start of a WorkingSize() buffer whose end holds the scanlines.
    // Returns 0 or a PngError code.
    unsigned Assemble(unsigned char* scanlines, unsigned char* rgba) const;

private:
    unsigned AssembleRows(const unsigned char* scanlines, unsigned char* rgba) const;
    unsigned AssembleRgba8(const unsigned char* scanlines, unsigned char* rgba) const;
    unsigned AssembleInterlaced(unsigned char* scanlines, unsigned char* rgba) const;

    const PngImageInfo& m_info;
};
