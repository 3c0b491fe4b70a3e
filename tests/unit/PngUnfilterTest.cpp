// The unfiltering in use (SSE2 forms where the machine has them) against the plain C++ loops,
// for every filter type and pixel size, in the three row placements the assembler uses.

#include "png/PngUnfilter.h"

#include <gtest/gtest.h>

#include <string>

#include "PngReference.h"

namespace {

using pngref::Bytes;

constexpr size_t kGuard = 24;  // bytes after the row that must stay as they were

// The row reconstructed by one of the two forms. The buffer holds the filtered row at
// srcOffset followed by guard bytes; the row is written at dstOffset (the same place, one
// byte lower, or a buffer of its own when separate), and the whole buffer is returned.
Bytes Reconstruct(bool portable, const Bytes& filtered, const Bytes& prev, unsigned stride,
                  unsigned filterType, size_t dstShift, bool separate) {
    Bytes buffer(1 + filtered.size() + kGuard, 0xA5);
    std::copy(filtered.begin(), filtered.end(), buffer.begin() + 1);
    Bytes target(buffer.size(), 0x5A);
    unsigned char* src = buffer.data() + 1;
    unsigned char* dst = separate ? target.data() + 1 : src - dstShift;
    const bool known = portable ? PngUnfilter::UnfilterRowPortable(
                                      dst, src, prev.data(), filtered.size(), stride, filterType)
                                : PngUnfilter::UnfilterRow(dst, src, prev.data(), filtered.size(),
                                                           stride, filterType);
    EXPECT_TRUE(known);
    return separate ? target : buffer;
}

}  // namespace

TEST(PngUnfilter, InUseFormsMatchThePortableLoops) {
    const Bytes noise = pngref::NoiseBytes(4000, 31);
    size_t at = 0;
    for (unsigned stride = 1; stride <= 8; ++stride) {
        for (size_t pixels : {size_t(1), size_t(2), size_t(5), size_t(6), size_t(17), size_t(40)}) {
            const size_t n = pixels * stride;
            const Bytes filtered(noise.begin() + at, noise.begin() + at + n);
            const Bytes prev(noise.begin() + at + n, noise.begin() + at + 2 * n);
            at = (at + 2 * n) % 3000;
            for (unsigned filterType = 0; filterType <= 4; ++filterType) {
                for (int placement = 0; placement < 3; ++placement) {
                    SCOPED_TRACE("stride " + std::to_string(stride) + ", pixels " +
                                 std::to_string(pixels) + ", filter " + std::to_string(filterType) +
                                 ", placement " + std::to_string(placement));
                    const size_t shift = placement == 1 ? 1 : 0;
                    const bool separate = placement == 2;
                    EXPECT_EQ(
                        Reconstruct(false, filtered, prev, stride, filterType, shift, separate),
                        Reconstruct(true, filtered, prev, stride, filterType, shift, separate));
                }
            }
        }
    }
}

TEST(PngUnfilter, KnownRowsOfThreeAndFourBytesPerPixel) {
    // Worked by hand from the PNG filter definitions; pixel 0 has no left neighbour.
    const Bytes prev = {10, 20, 30, 40, 50, 60, 70, 80};
    const Bytes src = {1, 2, 3, 4, 5, 6, 7, 8};
    // Paeth choosing left (a), above (b) and upper left (c): pixel 1 of the first row has
    // a = 100, b = 0 or 200, c = 0; of the second a = 50, b = 150, c = 100.
    const Bytes paethPrev1 = {0, 0, 0, 0, 200, 0};
    const Bytes paethSrc1 = {100, 100, 100, 1, 1, 1};
    const Bytes paethPrev2 = {100, 100, 100, 150, 150, 150};
    const Bytes paethSrc2 = {206, 206, 206, 7, 7, 7};
    const struct {
        unsigned stride;
        unsigned filterType;
        const Bytes& src;
        const Bytes& prev;
        Bytes expected;
    } cases[] = {
        {4, 1, src, prev, {1, 2, 3, 4, 6, 8, 10, 12}},
        {4, 2, src, prev, {11, 22, 33, 44, 55, 66, 77, 88}},
        {4, 3, src, prev, {6, 12, 18, 24, 33, 42, 51, 60}},
        {4, 4, src, prev, {11, 22, 33, 44, 55, 66, 77, 88}},
        {3, 1, src, prev, {1, 2, 3, 5, 7, 9}},
        {3, 3, src, prev, {6, 12, 18, 27, 36, 45}},
        {3, 4, paethSrc1, paethPrev1, {100, 100, 100, 101, 201, 101}},
        {3, 4, paethSrc2, paethPrev2, {50, 50, 50, 107, 107, 107}},
    };
    for (const auto& c : cases) {
        const size_t n = c.expected.size();
        Bytes out(n);
        ASSERT_TRUE(PngUnfilter::UnfilterRow(out.data(), c.src.data(), c.prev.data(), n, c.stride,
                                             c.filterType));
        EXPECT_EQ(out, c.expected) << "stride " << c.stride << ", filter " << c.filterType;
    }
    Bytes out(8);
    EXPECT_FALSE(PngUnfilter::UnfilterRow(out.data(), src.data(), prev.data(), 8, 4, 5));
}
