#include "png/PngImageAssembler.h"

#include <utility>
#include <vector>

#include "png/PngDeinterlace.h"
#include "png/PngError.h"
#include "png/PngImageInfo.h"
#include "png/PngPixelConverter.h"
#include "png/PngUnfilter.h"

uint64_t PngImageAssembler::FilteredSize() const {
    if (m_info.interlaceMethod == 0) {
        return uint64_t(m_info.height) * (1 + m_info.RowBytes(m_info.width));
    }
    uint64_t total = 0;
    for (unsigned p = 0; p < PngDeinterlace::kPasses; ++p) {
        const PngDeinterlace::Pass pass = PngDeinterlace::PassOf(p, m_info.width, m_info.height);
        if (pass.width > 0) {
            total += uint64_t(pass.height) * (1 + m_info.RowBytes(pass.width));
        }
    }
    return total;
}

uint64_t PngImageAssembler::WorkingSize() const {
    const uint64_t rgbaSize = uint64_t(m_info.width) * m_info.height * 4;
    return FilteredSize() > rgbaSize ? FilteredSize() : rgbaSize;
}

unsigned PngImageAssembler::Assemble(unsigned char* scanlines, unsigned char* rgba) const {
    if (m_info.interlaceMethod != 0) {
        return AssembleInterlaced(scanlines, rgba);
    }
    if (m_info.colorType == PngImageInfo::kRgba && m_info.bitDepth == 8) {
        return AssembleRgba8(scanlines, rgba);
    }
    return AssembleRows(scanlines, rgba);
}

unsigned PngImageAssembler::AssembleRows(const unsigned char* scanline, unsigned char* rgba) const {
    const size_t rowBytes = size_t(m_info.RowBytes(m_info.width));
    const size_t rgbaRow = size_t(m_info.width) * 4;
    const unsigned stride = m_info.FilterStride();
    const PngPixelConverter converter(m_info);
    // The previous row is kept aside: its place in the buffer may already hold RGBA output.
    std::vector<unsigned char> rows(rowBytes * 2, 0);
    unsigned char* prev = rows.data();
    unsigned char* current = prev + rowBytes;
    for (uint32_t y = 0; y < m_info.height; ++y, scanline += rowBytes + 1) {
        if (!PngUnfilter::UnfilterRow(current, scanline + 1, prev, rowBytes, stride, scanline[0])) {
            return kPngBadFilterType;
        }
        converter.ConvertRow(current, rgba + y * rgbaRow, m_info.width);
        std::swap(prev, current);
    }
    return kPngOk;
}

// 8-bit RGBA needs no conversion: each row is reconstructed straight to its final place, one
// byte per row lower than the row before when it is reconstructed in place, and then serves
// as the previous row for the next.
unsigned PngImageAssembler::AssembleRgba8(const unsigned char* scanlines,
                                          unsigned char* rgba) const {
    const size_t rowBytes = size_t(m_info.width) * 4;
    const std::vector<unsigned char> zeroRow(rowBytes, 0);
    const unsigned char* prev = zeroRow.data();
    for (uint32_t y = 0; y < m_info.height; ++y) {
        const unsigned char* scanline = scanlines + size_t(y) * (rowBytes + 1);
        unsigned char* dst = rgba + size_t(y) * rowBytes;
        if (!PngUnfilter::UnfilterRow(dst, scanline + 1, prev, rowBytes, 4, scanline[0])) {
            return kPngBadFilterType;
        }
        prev = dst;
    }
    return kPngOk;
}

unsigned PngImageAssembler::AssembleInterlaced(unsigned char* scanlines,
                                               unsigned char* rgba) const {
    const unsigned stride = m_info.FilterStride();
    const PngPixelConverter converter(m_info);
    const std::vector<unsigned char> zeroRow(size_t(m_info.RowBytes(m_info.width)), 0);
    std::vector<unsigned char> passRgba(size_t(m_info.width) * 4);
    for (unsigned p = 0; p < PngDeinterlace::kPasses; ++p) {
        const PngDeinterlace::Pass pass = PngDeinterlace::PassOf(p, m_info.width, m_info.height);
        if (pass.width == 0 || pass.height == 0) {
            continue;
        }
        const size_t rowBytes = size_t(m_info.RowBytes(pass.width));
        const unsigned char* prev = zeroRow.data();
        for (uint32_t y = 0; y < pass.height; ++y) {
            unsigned char* row = scanlines;
            if (!PngUnfilter::UnfilterRow(row + 1, row + 1, prev, rowBytes, stride, row[0])) {
                return kPngBadFilterType;
            }
            converter.ConvertRow(row + 1, passRgba.data(), pass.width);
            PngDeinterlace::ScatterRow(pass, y, passRgba.data(), rgba, m_info.width);
            prev = row + 1;
            scanlines += rowBytes + 1;
        }
    }
    return kPngOk;
}
