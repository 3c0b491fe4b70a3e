#include "png/Adler32.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr uint32_t kModulus = 65521;
// The most bytes that can be summed before the 32-bit sums must be reduced.
constexpr size_t kBlock = 5552;

#if defined(__SSE2__)
// The sum of the four 32-bit lanes.
inline uint32_t SumLanes(__m128i v) {
    v = _mm_add_epi32(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2)));
    v = _mm_add_epi32(v, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 3, 0, 1)));
    return uint32_t(_mm_cvtsi128_si32(v));
}

// Adds chunks of sixteen bytes (count of them, at most kBlock / 16) to the sums a and b, both
// reduced afterwards. Over the chunks, b gains 16 * a for every chunk, 16 times the byte sum
// of every earlier chunk, and each chunk's bytes weighted 16 down to 1.
void AddChunks(const unsigned char* data, size_t count, uint32_t& a, uint32_t& b) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i firstWeights = _mm_setr_epi16(16, 15, 14, 13, 12, 11, 10, 9);
    const __m128i lastWeights = _mm_setr_epi16(8, 7, 6, 5, 4, 3, 2, 1);
    __m128i byteSum = zero;      // bytes of the chunks so far, in lanes 0 and 2
    __m128i earlierSums = zero;  // byteSum before each chunk, added up
    __m128i weighted = zero;
    for (size_t i = 0; i < count; ++i, data += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
        earlierSums = _mm_add_epi32(earlierSums, byteSum);
        byteSum = _mm_add_epi32(byteSum, _mm_sad_epu8(bytes, zero));
        weighted =
            _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpacklo_epi8(bytes, zero), firstWeights));
        weighted =
            _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpackhi_epi8(bytes, zero), lastWeights));
    }
    const uint64_t newB = uint64_t(b) + uint64_t(count) * 16 * a +
                          16 * uint64_t(SumLanes(earlierSums)) + SumLanes(weighted);
    a = uint32_t((a + uint64_t(SumLanes(byteSum))) % kModulus);
    b = uint32_t(newB % kModulus);
}
#else
// The same in plain C++: sixteen bytes per step, b gaining 16 * a plus the weighted bytes.
void AddChunks(const unsigned char* data, size_t count, uint32_t& a, uint32_t& b) {
    for (size_t i = 0; i < count; ++i, data += 16) {
        uint32_t sum = 0;
        uint32_t weighted = 0;
        for (int k = 0; k < 16; ++k) {
            sum += data[k];
            weighted += uint32_t(16 - k) * data[k];
        }
        b += 16 * a + weighted;
        a += sum;
    }
    a %= kModulus;
    b %= kModulus;
}
#endif

}  // namespace

uint32_t Adler32::Compute(const unsigned char* data, size_t size) {
    uint32_t a = 1;
    uint32_t b = 0;
    while (size >= 16) {
        const size_t n = (size < kBlock ? size : kBlock) / 16;
        AddChunks(data, n, a, b);
        data += n * 16;
        size -= n * 16;
    }
    while (size-- > 0) {
        a += *data++;
        b += a;
    }
    return (b % kModulus) << 16 | a % kModulus;
}
