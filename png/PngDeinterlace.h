#pragma once
// Adam7 interlacing: the geometry of the seven passes and the placing of a pass's pixels into
// the full image.

#include <cstddef>
#include <cstdint>

class PngDeinterlace {
public:
    static constexpr unsigned kPasses = 7;

    struct Pass {
        uint32_t x0, y0, dx, dy;  // first pixel and spacing of the pass in the image
        uint32_t width, height;   // pixels of the pass; a pass with 0 has no scanlines
    };

    // Pass number 0..6 of an image of width x height.
    static Pass PassOf(unsigned pass, uint32_t width, uint32_t height);

    // Copies one pass row of pass.width RGBA pixels to image row pass.y0 + row * pass.dy of an
    // RGBA image imageWidth pixels wide.
    static void ScatterRow(const Pass& pass, uint32_t row, const unsigned char* rgbaRow,
                           unsigned char* image, uint32_t imageWidth);
};
