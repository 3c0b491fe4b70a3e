#include "png/PngUnfilter.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "png/PngUnfilterSse2.h"

namespace {

void UnfilterSub(unsigned char* dst, const unsigned char* src, size_t n, unsigned stride) {
    if (dst != src) {
        std::memmove(dst, src, n < stride ? n : stride);
    }
    for (size_t i = stride; i < n; ++i) {
        dst[i] = uint8_t(src[i] + dst[i - stride]);
    }
}

void UnfilterUp(unsigned char* dst, const unsigned char* src, const unsigned char* prev, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        dst[i] = uint8_t(src[i] + prev[i]);
    }
}

void UnfilterAverage(unsigned char* dst, const unsigned char* src, const unsigned char* prev,
                     size_t n, unsigned stride) {
    const size_t head = n < stride ? n : stride;
    for (size_t i = 0; i < head; ++i) {
        dst[i] = uint8_t(src[i] + (prev[i] >> 1));
    }
    for (size_t i = stride; i < n; ++i) {
        dst[i] = uint8_t(src[i] + ((dst[i - stride] + prev[i]) >> 1));
    }
}

// The Paeth predictor: whichever of left a, above b and upper-left c is nearest to
// a + b - c, preferring a, then b.
inline unsigned Paeth(int a, int b, int c) {
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    if (pa <= pb && pa <= pc) {
        return unsigned(a);
    }
    return pb <= pc ? unsigned(b) : unsigned(c);
}

template <unsigned kStride>
void UnfilterPaethFixed(unsigned char* dst, const unsigned char* src, const unsigned char* prev,
                        size_t n) {
    for (size_t i = 0; i < kStride && i < n; ++i) {
        dst[i] = uint8_t(src[i] + prev[i]);
    }
    for (size_t i = kStride; i < n; i += kStride) {
        for (unsigned k = 0; k < kStride; ++k) {
            dst[i + k] = uint8_t(src[i + k] +
                                 Paeth(dst[i + k - kStride], prev[i + k], prev[i + k - kStride]));
        }
    }
}

void UnfilterPaeth(unsigned char* dst, const unsigned char* src, const unsigned char* prev,
                   size_t n, unsigned stride) {
    // Row lengths are whole pixels, so the fixed-stride loops never step past n.
    switch (stride) {
        case 3:
            UnfilterPaethFixed<3>(dst, src, prev, n);
            return;
        case 4:
            UnfilterPaethFixed<4>(dst, src, prev, n);
            return;
        default:
            break;
    }
    const size_t head = n < stride ? n : stride;
    for (size_t i = 0; i < head; ++i) {
        dst[i] = uint8_t(src[i] + prev[i]);
    }
    for (size_t i = stride; i < n; ++i) {
        dst[i] = uint8_t(src[i] + Paeth(dst[i - stride], prev[i], prev[i - stride]));
    }
}

}  // namespace

bool PngUnfilter::UnfilterRow(unsigned char* dst, const unsigned char* src,
                              const unsigned char* prev, size_t rowBytes, unsigned stride,
                              unsigned filterType) {
#if defined(GLIMMERAX_PNG_SSE2)
    if (PngUnfilterSse2::UnfilterRow(dst, src, prev, rowBytes, stride, filterType)) {
        return true;
    }
#endif
    return UnfilterRowPortable(dst, src, prev, rowBytes, stride, filterType);
}

bool PngUnfilter::UnfilterRowPortable(unsigned char* dst, const unsigned char* src,
                                      const unsigned char* prev, size_t rowBytes, unsigned stride,
                                      unsigned filterType) {
    switch (filterType) {
        case 0:
            if (dst != src) {
                std::memmove(dst, src, rowBytes);
            }
            return true;
        case 1:
            UnfilterSub(dst, src, rowBytes, stride);
            return true;
        case 2:
            UnfilterUp(dst, src, prev, rowBytes);
            return true;
        case 3:
            UnfilterAverage(dst, src, prev, rowBytes, stride);
            return true;
        case 4:
            UnfilterPaeth(dst, src, prev, rowBytes, stride);
            return true;
        default:
            return false;
    }
}
