#pragma once
// The facts a PNG file states about its image: the header fields and the ancillary chunks the
// decoder keeps (palette, transparency, background, text).

#include <cstdint>
#include <string>
#include <vector>

struct PngTextChunk {
    std::string keyword;
    std::string text;
};

struct PngImageInfo {
    enum ColorType : uint8_t { kGrey = 0, kRgb = 2, kPalette = 3, kGreyAlpha = 4, kRgba = 6 };

    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t colorType = 0;
    uint8_t bitDepth = 0;
    uint8_t compressionMethod = 0;
    uint8_t filterMethod = 0;
    uint8_t interlaceMethod = 0;

    // PLTE entries as R, G, B, A; alpha comes from tRNS and is 255 for entries it leaves out.
    std::vector<uint8_t> palette;
    // tRNS of a grey (keyRed holds the grey level) or RGB image: samples equal to the key are
    // transparent. Values as stored, at the image's bit depth.
    bool hasColorKey = false;
    uint16_t keyRed = 0;
    uint16_t keyGreen = 0;
    uint16_t keyBlue = 0;
    // bKGD: a palette index, a grey level (in backgroundRed) or an RGB colour, as stored.
    bool hasBackground = false;
    uint8_t backgroundIndex = 0;
    uint16_t backgroundRed = 0;
    uint16_t backgroundGreen = 0;
    uint16_t backgroundBlue = 0;
    std::vector<PngTextChunk> texts;
    // Type of the chunk the chunk reader was in when it stopped, 0 when it stopped outside
    // any chunk, IDAT after a complete walk (what fails later is the image data). Failures
    // name it in their text.
    uint32_t lastChunk = 0;

    unsigned Channels() const {
        static const unsigned channels[7] = {1, 0, 3, 1, 2, 0, 4};
        return channels[colorType];
    }
    unsigned BitsPerPixel() const { return Channels() * bitDepth; }
    // Distance in bytes between the bytes a scanline filter relates (at least 1).
    unsigned FilterStride() const { return BitsPerPixel() < 8 ? 1 : BitsPerPixel() / 8; }
    uint64_t RowBytes(uint32_t pixels) const { return (uint64_t(pixels) * BitsPerPixel() + 7) / 8; }
};
