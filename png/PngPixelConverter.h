#pragma once
// Converts reconstructed PNG scanlines of any colour type and bit depth to 8-bit RGBA: grey is
// copied to R, G and B; palette indices become their palette colour (indices past the palette
// give opaque black); 16-bit samples keep their most significant byte; 1, 2 and 4-bit grey is
// scaled to 0..255; alpha comes from the alpha channel, from the palette's tRNS values, or is
// 0 for a pixel equal to the colour key (compared at the image's own bit depth) and 255
// otherwise.

#include <cstdint>

struct PngImageInfo;

class PngPixelConverter {
public:
    explicit PngPixelConverter(const PngImageInfo& info);

    // Converts width pixels of the scanline at row into width * 4 bytes at rgba.
    void ConvertRow(const unsigned char* row, unsigned char* rgba, uint32_t width) const;

private:
    void ConvertLowDepthGrey(const unsigned char* row, unsigned char* rgba, uint32_t width) const;
    void ConvertPalette(const unsigned char* row, unsigned char* rgba, uint32_t width) const;
    void ConvertGrey(const unsigned char* row, unsigned char* rgba, uint32_t width) const;
    void ConvertRgb(const unsigned char* row, unsigned char* rgba, uint32_t width) const;
    void ConvertGreyAlpha(const unsigned char* row, unsigned char* rgba, uint32_t width) const;
    void ConvertRgba16(const unsigned char* row, unsigned char* rgba, uint32_t width) const;

    const PngImageInfo& m_info;
    // Palette as 256 RGBA entries, the entries past the palette opaque black.
    unsigned char m_palette[256 * 4];
};
