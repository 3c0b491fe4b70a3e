#pragma once
// Reverses the five scanline filters of PNG filter method 0 (None, Sub, Up, Average, Paeth).

#include <cstddef>

class PngUnfilter {
public:
    // Reconstructs one row of rowBytes bytes: dst[i] = src[i] + predictor, where the
    // predictor uses the reconstructed bytes stride bytes to the left in dst and the
    // reconstructed previous row prev (all zero for the first row of an image or pass).
    // dst may be src or lie below it (a row moved down while reconstructed); neither may
    // overlap prev. Returns false for an unknown filter type. Uses the SSE2 forms
    // (PngUnfilterSse2) where the machine has them.
    static bool UnfilterRow(unsigned char* dst, const unsigned char* src, const unsigned char* prev,
                            size_t rowBytes, unsigned stride, unsigned filterType);
    // The same in plain C++ for every machine; the tests hold the SSE2 forms to it.
    static bool UnfilterRowPortable(unsigned char* dst, const unsigned char* src,
                                    const unsigned char* prev, size_t rowBytes, unsigned stride,
                                    unsigned filterType);
};
