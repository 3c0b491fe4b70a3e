#include "png/PngPixelConverter.h"

#include <cstring>

#include "png/PngImageInfo.h"

namespace {

inline void PutPixel(unsigned char* rgba, unsigned r, unsigned g, unsigned b, unsigned a) {
    rgba[0] = uint8_t(r);
    rgba[1] = uint8_t(g);
    rgba[2] = uint8_t(b);
    rgba[3] = uint8_t(a);
}

inline unsigned Sample16(const unsigned char* p) {
    return unsigned(p[0]) << 8 | p[1];
}

}  // namespace

PngPixelConverter::PngPixelConverter(const PngImageInfo& info) : m_info(info) {
    for (unsigned i = 0; i < 256; ++i) {
        PutPixel(m_palette + i * 4, 0, 0, 0, 255);
    }
    if (!info.palette.empty()) {
        std::memcpy(m_palette, info.palette.data(), info.palette.size());
    }
}

void PngPixelConverter::ConvertRow(const unsigned char* row, unsigned char* rgba,
                                   uint32_t width) const {
    switch (m_info.colorType) {
        case PngImageInfo::kGrey:
            if (m_info.bitDepth < 8) {
                ConvertLowDepthGrey(row, rgba, width);
            } else {
                ConvertGrey(row, rgba, width);
            }
            return;
        case PngImageInfo::kPalette:
            ConvertPalette(row, rgba, width);
            return;
        case PngImageInfo::kRgb:
            ConvertRgb(row, rgba, width);
            return;
        case PngImageInfo::kGreyAlpha:
            ConvertGreyAlpha(row, rgba, width);
            return;
        default:
            if (m_info.bitDepth == 8) {
                std::memcpy(rgba, row, size_t(width) * 4);
            } else {
                ConvertRgba16(row, rgba, width);
            }
            return;
    }
}

// Samples packed most significant bits first, several to a byte.
void PngPixelConverter::ConvertLowDepthGrey(const unsigned char* row, unsigned char* rgba,
                                            uint32_t width) const {
    const unsigned depth = m_info.bitDepth;
    const unsigned mask = (1u << depth) - 1;
    const unsigned scale = 255 / mask;
    const unsigned key = m_info.keyRed & mask;
    for (uint32_t x = 0; x < width; ++x) {
        const size_t bit = size_t(x) * depth;
        const unsigned value = (row[bit / 8] >> (8 - depth - bit % 8)) & mask;
        const unsigned alpha = (m_info.hasColorKey && value == key) ? 0 : 255;
        const unsigned grey = value * scale;
        PutPixel(rgba + size_t(x) * 4, grey, grey, grey, alpha);
    }
}

void PngPixelConverter::ConvertPalette(const unsigned char* row, unsigned char* rgba,
                                       uint32_t width) const {
    const unsigned depth = m_info.bitDepth;
    if (depth == 8) {
        for (uint32_t x = 0; x < width; ++x) {
            std::memcpy(rgba + size_t(x) * 4, m_palette + row[x] * 4, 4);
        }
        return;
    }
    const unsigned mask = (1u << depth) - 1;
    for (uint32_t x = 0; x < width; ++x) {
        const size_t bit = size_t(x) * depth;
        const unsigned index = (row[bit / 8] >> (8 - depth - bit % 8)) & mask;
        std::memcpy(rgba + size_t(x) * 4, m_palette + index * 4, 4);
    }
}

void PngPixelConverter::ConvertGrey(const unsigned char* row, unsigned char* rgba,
                                    uint32_t width) const {
    const bool keyed = m_info.hasColorKey;
    if (m_info.bitDepth == 8) {
        const unsigned key = m_info.keyRed & 0xFF;
        for (uint32_t x = 0; x < width; ++x) {
            const unsigned grey = row[x];
            PutPixel(rgba + size_t(x) * 4, grey, grey, grey, (keyed && grey == key) ? 0 : 255);
        }
        return;
    }
    for (uint32_t x = 0; x < width; ++x) {
        const unsigned sample = Sample16(row + size_t(x) * 2);
        const unsigned grey = sample >> 8;
        const bool clear = keyed && sample == m_info.keyRed;
        PutPixel(rgba + size_t(x) * 4, grey, grey, grey, clear ? 0 : 255);
    }
}

void PngPixelConverter::ConvertRgb(const unsigned char* row, unsigned char* rgba,
                                   uint32_t width) const {
    const PngImageInfo& info = m_info;
    if (info.bitDepth == 8) {
        if (!info.hasColorKey) {
            for (uint32_t x = 0; x < width; ++x) {
                PutPixel(rgba + size_t(x) * 4, row[x * 3], row[x * 3 + 1], row[x * 3 + 2], 255);
            }
            return;
        }
        const unsigned r = info.keyRed & 0xFF, g = info.keyGreen & 0xFF, b = info.keyBlue & 0xFF;
        for (uint32_t x = 0; x < width; ++x) {
            const unsigned char* p = row + size_t(x) * 3;
            const bool clear = p[0] == r && p[1] == g && p[2] == b;
            PutPixel(rgba + size_t(x) * 4, p[0], p[1], p[2], clear ? 0 : 255);
        }
        return;
    }
    for (uint32_t x = 0; x < width; ++x) {
        const unsigned char* p = row + size_t(x) * 6;
        const bool clear = info.hasColorKey && Sample16(p) == info.keyRed &&
                           Sample16(p + 2) == info.keyGreen && Sample16(p + 4) == info.keyBlue;
        PutPixel(rgba + size_t(x) * 4, p[0], p[2], p[4], clear ? 0 : 255);
    }
}

void PngPixelConverter::ConvertGreyAlpha(const unsigned char* row, unsigned char* rgba,
                                         uint32_t width) const {
    const unsigned step = m_info.bitDepth / 4;  // bytes per pixel: 2 or 4
    const unsigned alphaOffset = step / 2;
    for (uint32_t x = 0; x < width; ++x) {
        const unsigned char* p = row + size_t(x) * step;
        PutPixel(rgba + size_t(x) * 4, p[0], p[0], p[0], p[alphaOffset]);
    }
}

void PngPixelConverter::ConvertRgba16(const unsigned char* row, unsigned char* rgba,
                                      uint32_t width) const {
    for (uint32_t x = 0; x < width; ++x) {
        const unsigned char* p = row + size_t(x) * 8;
        PutPixel(rgba + size_t(x) * 4, p[0], p[2], p[4], p[6]);
    }
}
