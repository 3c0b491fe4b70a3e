#pragma once
// Decodes a PNG file image held in memory to 8-bit RGBA, rows from the top, 4 bytes per pixel
// without gaps. Every colour type, bit depth and interlace method PNG allows is accepted;
// chunk CRCs and the zlib Adler-32 are verified. A failed decode leaves the output untouched
// and reports a non-zero PngError code; the decoder logs nothing (callers know the file name).
//
// Stages: PngChunkReader (chunks, header, ancillary facts), Inflater (zlib/DEFLATE),
// PngImageAssembler (unfiltering with PngUnfilter, conversion with PngPixelConverter,
// Adam7 with PngDeinterlace).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "png/PngImageInfo.h"

class CPngDecoder {
public:
    // Decoding settings. The game always decodes with the defaults: checks on, text kept.
    // Skipping the checks serves the fuzzer, whose mutations would otherwise never get past
    // a CRC.
    struct Settings {
        bool ignoreCrc = false;
        bool ignoreAdler32 = false;
        bool readTextChunks = true;
    };

    CPngDecoder() = default;
    explicit CPngDecoder(const Settings& settings) : m_settings(settings) {}

    // Decodes the file image; on success out holds exactly width * height * 4 bytes.
    void Decode(std::vector<unsigned char>& out, const std::vector<unsigned char>& in);
    void Decode(std::vector<unsigned char>& out, const unsigned char* data, size_t size);

    bool HasError() const { return m_error != 0; }
    // 0 after a successful decode; 1 (kPngNotDecoded) before the first decode.
    unsigned GetError() const { return m_error; }
    // What went wrong, for a log line: the error's text with the chunk it happened in, e.g.
    // "bad CRC in chunk IDAT"; "no error" after a successful decode.
    std::string GetErrorText() const;
    unsigned GetWidth() const { return m_info.width; }
    unsigned GetHeight() const { return m_info.height; }

    // The header facts of the last decoded file (valid as far as the decode got).
    unsigned GetColorType() const { return m_info.colorType; }
    unsigned GetBitDepth() const { return m_info.bitDepth; }
    unsigned GetCompressionMethod() const { return m_info.compressionMethod; }
    unsigned GetFilterMethod() const { return m_info.filterMethod; }
    unsigned GetInterlaceMethod() const { return m_info.interlaceMethod; }
    // Palette entries as R, G, B, A (alpha from tRNS, else 255).
    const std::vector<uint8_t>& GetPalette() const { return m_info.palette; }
    bool HasColorKey() const { return m_info.hasColorKey; }
    bool HasBackground() const { return m_info.hasBackground; }
    const std::vector<PngTextChunk>& GetTexts() const { return m_info.texts; }
    const PngImageInfo& GetInfo() const { return m_info; }

private:
    unsigned DecodeImage(std::vector<unsigned char>& out, const unsigned char* data, size_t size);

    Settings m_settings;
    unsigned m_error = 1;
    PngImageInfo m_info;
};
