#include "png/Adler32.h"

namespace {

constexpr uint32_t kModulus = 65521;
// The most bytes that can be summed before the 32-bit sums must be reduced.
constexpr size_t kBlock = 5552;

}  // namespace

uint32_t Adler32::Compute(const unsigned char* data, size_t size) {
    uint32_t a = 1;
    uint32_t b = 0;
    while (size > 0) {
        size_t n = size < kBlock ? size : kBlock;
        size -= n;
        // Sixteen bytes per step: b gains 16 * a plus the weighted bytes.
        while (n >= 16) {
            uint32_t sum = 0;
            uint32_t weighted = 0;
            for (int i = 0; i < 16; ++i) {
                sum += data[i];
                weighted += uint32_t(16 - i) * data[i];
            }
            b += 16 * a + weighted;
            a += sum;
            data += 16;
            n -= 16;
        }
        while (n-- > 0) {
            a += *data++;
            b += a;
        }
        a %= kModulus;
        b %= kModulus;
    }
    return b << 16 | a;
}
