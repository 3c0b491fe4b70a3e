#include "png/PngDeinterlace.h"

#include <cstring>

PngDeinterlace::Pass PngDeinterlace::PassOf(unsigned pass, uint32_t width, uint32_t height) {
    static const uint8_t kX0[kPasses] = {0, 4, 0, 2, 0, 1, 0};
    static const uint8_t kY0[kPasses] = {0, 0, 4, 0, 2, 0, 1};
    static const uint8_t kDx[kPasses] = {8, 8, 4, 4, 2, 2, 1};
    static const uint8_t kDy[kPasses] = {8, 8, 8, 4, 4, 2, 2};
    Pass p{kX0[pass], kY0[pass], kDx[pass], kDy[pass], 0, 0};
    // 64-bit sums: the sides may come close to 2^31.
    p.width = width > p.x0 ? uint32_t((uint64_t(width) - p.x0 + p.dx - 1) / p.dx) : 0;
    p.height = height > p.y0 ? uint32_t((uint64_t(height) - p.y0 + p.dy - 1) / p.dy) : 0;
    return p;
}

void PngDeinterlace::ScatterRow(const Pass& pass, uint32_t row, const unsigned char* rgbaRow,
                                unsigned char* image, uint32_t imageWidth) {
    unsigned char* target =
        image + (size_t(pass.y0) + size_t(row) * pass.dy) * imageWidth * 4 + size_t(pass.x0) * 4;
    const size_t step = size_t(pass.dx) * 4;
    for (uint32_t x = 0; x < pass.width; ++x) {
        std::memcpy(target + x * step, rgbaRow + size_t(x) * 4, 4);
    }
}
