#pragma once
// SSE2 forms of the Sub, Up, Average and Paeth filters for rows of 3 and 4 bytes per pixel
// (8-bit RGB and RGBA, 16-bit grey with alpha), the common case of large images. Present only
// where the compiler targets SSE2 (every x86-64 machine); PngUnfilter falls back to its plain
// C++ loops elsewhere and for every other row. Same contract and results as
// PngUnfilter::UnfilterRowPortable.

#include <cstddef>

#if defined(__SSE2__)
#define GLIMMERAX_PNG_SSE2 1

class PngUnfilterSse2 {
public:
    // Reconstructs the row as PngUnfilter::UnfilterRow does and returns true, or returns false
    // without touching dst when the filter type is None or unknown, or stride is not 3 or 4.
    static bool UnfilterRow(unsigned char* dst, const unsigned char* src, const unsigned char* prev,
                            size_t rowBytes, unsigned stride, unsigned filterType);
};

#endif
