#include "png/PngUnfilterSse2.h"

#if defined(GLIMMERAX_PNG_SSE2)

#include <emmintrin.h>

#include <cstdint>
#include <cstring>

namespace {

// One pixel of kStride bytes in the low lanes of a register. A 3-byte pixel is loaded with the
// byte after it (its lane is never stored) except at the end of the row, where that byte may
// lie past the buffer; the byte-wise load there avoids a stalled store-to-load forwarding on
// every pixel. Stores write exactly the pixel's bytes, so a row may be reconstructed in place
// or one byte lower.
template <unsigned kStride>
inline __m128i LoadPixel(const unsigned char* p, bool lastPixel) {
    int32_t value;
    if (kStride == 4 || !lastPixel) {
        std::memcpy(&value, p, 4);
    } else {
        value = int32_t(p[0] | p[1] << 8 | p[2] << 16);
    }
    return _mm_cvtsi32_si128(value);
}

template <unsigned kStride>
inline void StorePixel(unsigned char* p, __m128i pixel) {
    const int32_t value = _mm_cvtsi128_si32(pixel);
    std::memcpy(p, &value, kStride);
}

template <unsigned kStride>
void Sub(unsigned char* dst, const unsigned char* src, size_t n) {
    __m128i left = _mm_setzero_si128();
    for (size_t i = 0; i < n; i += kStride) {
        left = _mm_add_epi8(left, LoadPixel<kStride>(src + i, i + kStride == n));
        StorePixel<kStride>(dst + i, left);
    }
}

// Sixteen bytes a step: every load of a step comes before its store, and a store ends at
// most at the source bytes this step read, so dst may lie at or below src.
void Up(unsigned char* dst, const unsigned char* src, const unsigned char* prev, size_t n) {
    size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m128i sum =
            _mm_add_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i)),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(prev + i)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), sum);
    }
    for (; i < n; ++i) {
        dst[i] = uint8_t(src[i] + prev[i]);
    }
}

// floor((left + above) / 2) per byte: the rounding-up average less the lost low bit.
template <unsigned kStride>
void Average(unsigned char* dst, const unsigned char* src, const unsigned char* prev, size_t n) {
    const __m128i one = _mm_set1_epi8(1);
    __m128i left = _mm_setzero_si128();
    for (size_t i = 0; i < n; i += kStride) {
        const __m128i above = LoadPixel<kStride>(prev + i, i + kStride == n);
        const __m128i roundedUp = _mm_avg_epu8(left, above);
        const __m128i mean =
            _mm_sub_epi8(roundedUp, _mm_and_si128(_mm_xor_si128(left, above), one));
        left = _mm_add_epi8(LoadPixel<kStride>(src + i, i + kStride == n), mean);
        StorePixel<kStride>(dst + i, left);
    }
}

inline __m128i Abs16(__m128i x) {
    return _mm_max_epi16(x, _mm_sub_epi16(_mm_setzero_si128(), x));
}

inline __m128i Select(__m128i mask, __m128i ifSet, __m128i otherwise) {
    return _mm_or_si128(_mm_and_si128(mask, ifSet), _mm_andnot_si128(mask, otherwise));
}

// The Paeth predictor in 16-bit lanes: pa = |b - c|, pb = |a - c|, pc = |a + b - 2c|; a when
// pa is the smallest, else b when pb is, else c (the order of the scalar form).
template <unsigned kStride>
void Paeth(unsigned char* dst, const unsigned char* src, const unsigned char* prev, size_t n) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i lowByte = _mm_set1_epi16(0xFF);
    __m128i left = zero;
    __m128i upperLeft = zero;
    for (size_t i = 0; i < n; i += kStride) {
        const __m128i above =
            _mm_unpacklo_epi8(LoadPixel<kStride>(prev + i, i + kStride == n), zero);
        const __m128i signedPa = _mm_sub_epi16(above, upperLeft);
        const __m128i signedPb = _mm_sub_epi16(left, upperLeft);
        const __m128i pa = Abs16(signedPa);
        const __m128i pb = Abs16(signedPb);
        const __m128i pc = Abs16(_mm_add_epi16(signedPa, signedPb));
        const __m128i smallest = _mm_min_epi16(_mm_min_epi16(pa, pb), pc);
        const __m128i predictor = Select(_mm_cmpeq_epi16(pa, smallest), left,
                                         Select(_mm_cmpeq_epi16(pb, smallest), above, upperLeft));
        const __m128i filtered =
            _mm_unpacklo_epi8(LoadPixel<kStride>(src + i, i + kStride == n), zero);
        left = _mm_and_si128(_mm_add_epi16(filtered, predictor), lowByte);
        StorePixel<kStride>(dst + i, _mm_packus_epi16(left, left));
        upperLeft = above;
    }
}

template <unsigned kStride>
void Unfilter(unsigned char* dst, const unsigned char* src, const unsigned char* prev, size_t n,
              unsigned filterType) {
    switch (filterType) {
        case 1:
            Sub<kStride>(dst, src, n);
            return;
        case 2:
            Up(dst, src, prev, n);
            return;
        case 3:
            Average<kStride>(dst, src, prev, n);
            return;
        default:
            Paeth<kStride>(dst, src, prev, n);
            return;
    }
}

}  // namespace

bool PngUnfilterSse2::UnfilterRow(unsigned char* dst, const unsigned char* src,
                                  const unsigned char* prev, size_t rowBytes, unsigned stride,
                                  unsigned filterType) {
    if (filterType < 1 || filterType > 4 || (stride != 3 && stride != 4)) {
        return false;
    }
    if (stride == 3) {
        Unfilter<3>(dst, src, prev, rowBytes, filterType);
    } else {
        Unfilter<4>(dst, src, prev, rowBytes, filterType);
    }
    return true;
}

#endif
