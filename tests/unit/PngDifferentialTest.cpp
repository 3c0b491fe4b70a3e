// Images written by libpng, or by hand on zlib, decode to exactly libpng's bytes: every colour
// type and bit depth, interlaced and not, every filter type, many IDAT chunks, odd sizes, and
// zlib streams of stored, fixed and dynamic blocks with small windows.

#include "png/CPngDecoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PngReference.h"

namespace {

using pngref::Bytes;
using pngref::RawImage;

struct Format {
    int colorType;
    int bitDepth;
};

const Format kFormats[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                           {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};

struct Size {
    uint32_t width;
    uint32_t height;
};

const Size kSizes[] = {{1, 1}, {3, 2}, {2, 3}, {5, 9}, {17, 13}, {64, 3}};

RawImage NoiseImage(const Format& format, const Size& size, uint32_t seed) {
    RawImage image;
    image.width = size.width;
    image.height = size.height;
    image.colorType = format.colorType;
    image.bitDepth = format.bitDepth;
    image.rows = pngref::NoiseBytes(image.RowBytes() * image.height, seed);
    if (format.colorType == 3) {
        image.palette = pngref::NoiseBytes(size_t(3) << format.bitDepth, seed + 1);
    }
    return image;
}

std::string Describe(const RawImage& image) {
    return "colour type " + std::to_string(image.colorType) + ", depth " +
           std::to_string(image.bitDepth) + ", " + std::to_string(image.width) + "x" +
           std::to_string(image.height) + (image.interlace ? ", interlaced" : "");
}

// Decodes with both decoders and compares; libpng must accept the file.
void ExpectSameAsLibpng(const Bytes& file, const std::string& what) {
    SCOPED_TRACE(what);
    Bytes expected;
    uint32_t width = 0, height = 0;
    ASSERT_TRUE(pngref::LibpngDecode(file, expected, width, height));
    CPngDecoder decoder;
    std::vector<unsigned char> ours;
    decoder.Decode(ours, file);
    ASSERT_EQ(decoder.GetError(), 0u);
    EXPECT_EQ(decoder.GetWidth(), width);
    EXPECT_EQ(decoder.GetHeight(), height);
    EXPECT_TRUE(ours == expected);
}

}  // namespace

TEST(PngDifferential, EveryFormatWrittenByLibpngInterlacedOrNot) {
    uint32_t seed = 1;
    for (const Format& format : kFormats) {
        for (const Size& size : kSizes) {
            for (int interlace = 0; interlace <= 1; ++interlace) {
                RawImage image = NoiseImage(format, size, seed++);
                image.interlace = interlace;
                // Small IDAT chunks: the stream is split across many of them.
                ExpectSameAsLibpng(pngref::LibpngEncode(image, 6, 64), Describe(image));
            }
        }
    }
}

TEST(PngDifferential, ColourKeysAndPaletteTransparency) {
    uint32_t seed = 100;
    for (const Format& format : kFormats) {
        if (format.colorType == 4 || format.colorType == 6) {
            continue;
        }
        for (int interlace = 0; interlace <= 1; ++interlace) {
            RawImage image = NoiseImage(format, {9, 7}, seed++);
            image.interlace = interlace;
            if (format.colorType == 3) {
                image.transparency =
                    pngref::NoiseBytes((size_t(1) << format.bitDepth) / 2 + 1, seed);
            } else {
                // The key is the first pixel's value, so some pixels match it.
                const size_t keyBytes = format.colorType == 2 ? 6 : 2;
                const unsigned mask = (1u << format.bitDepth) - 1;
                image.transparency.assign(keyBytes, 0);
                if (format.bitDepth == 16) {
                    std::copy(image.rows.begin(), image.rows.begin() + keyBytes,
                              image.transparency.begin());
                } else if (format.bitDepth == 8) {
                    for (size_t i = 0; i < keyBytes / 2; ++i) {
                        image.transparency[i * 2 + 1] = image.rows[i];
                    }
                } else {
                    image.transparency[1] =
                        uint8_t((image.rows[0] >> (8 - format.bitDepth)) & mask);
                }
            }
            ExpectSameAsLibpng(pngref::LibpngEncode(image), Describe(image) + " with tRNS");
        }
    }
}

TEST(PngDifferential, EveryFilterTypeOnSuccessiveRows) {
    uint32_t seed = 200;
    for (const Format& format : kFormats) {
        const RawImage image = NoiseImage(format, {23, 11}, seed++);
        const Bytes stream = pngref::Compress(pngref::FilterAllTypes(image), {});
        ExpectSameAsLibpng(pngref::BuildPng(image, stream, 1 << 20), Describe(image));
    }
}

TEST(PngDifferential, StoredFixedAndDynamicBlocksWithSmallWindows) {
    // A smooth image with a little noise: long matches as well as literals.
    RawImage image;
    image.width = 120;
    image.height = 70;
    image.colorType = 2;
    image.bitDepth = 8;
    const Bytes noise = pngref::NoiseBytes(image.RowBytes() * image.height, 7);
    for (uint32_t y = 0; y < image.height; ++y) {
        for (uint32_t x = 0; x < image.width * 3; ++x) {
            const size_t i = y * image.RowBytes() + x;
            image.rows.push_back(uint8_t(x / 3 + y + (noise[i] & 3)));
        }
    }
    const Bytes filtered = pngref::FilterAllTypes(image);
    const pngref::ZlibSettings settings[] = {{0, 15, Z_DEFAULT_STRATEGY},
                                             {1, 15, Z_FIXED},
                                             {9, 15, Z_FIXED},
                                             {6, 15, Z_DEFAULT_STRATEGY},
                                             {9, 15, Z_DEFAULT_STRATEGY},
                                             {1, 15, Z_DEFAULT_STRATEGY},
                                             {6, 15, Z_HUFFMAN_ONLY},
                                             {6, 15, Z_RLE},
                                             {6, 15, Z_FILTERED},
                                             {9, 9, Z_DEFAULT_STRATEGY},
                                             {6, 10, Z_FIXED},
                                             {9, 12, Z_DEFAULT_STRATEGY}};
    for (const auto& s : settings) {
        const std::string what = "level " + std::to_string(s.level) + ", window bits " +
                                 std::to_string(s.windowBits) + ", strategy " +
                                 std::to_string(s.strategy);
        const Bytes stream = pngref::Compress(filtered, s);
        ExpectSameAsLibpng(pngref::BuildPng(image, stream, 1 << 20), what);
        ExpectSameAsLibpng(pngref::BuildPng(image, stream, 7), what + ", 7-byte IDATs");
    }
}

TEST(PngDifferential, IdatSplitIntoOneByteChunks) {
    const RawImage image = NoiseImage({6, 8}, {5, 4}, 300);
    const Bytes stream = pngref::Compress(pngref::FilterAllTypes(image), {});
    ExpectSameAsLibpng(pngref::BuildPng(image, stream, 1), "one-byte IDAT chunks");
}

TEST(PngDifferential, LargerPhotoLikeImages) {
    for (int colorType : {2, 6}) {
        RawImage image;
        image.width = 131;
        image.height = 67;
        image.colorType = colorType;
        image.bitDepth = 8;
        const size_t channels = image.Channels();
        const Bytes noise = pngref::NoiseBytes(image.RowBytes() * image.height, 11);
        for (uint32_t y = 0; y < image.height; ++y) {
            for (uint32_t x = 0; x < image.width; ++x) {
                for (size_t c = 0; c < channels; ++c) {
                    const size_t i = (y * image.width + x) * channels + c;
                    image.rows.push_back(uint8_t((x * (c + 1) + y * 2) / 3 + (noise[i] % 9)));
                }
            }
        }
        for (int interlace = 0; interlace <= 1; ++interlace) {
            image.interlace = interlace;
            ExpectSameAsLibpng(pngref::LibpngEncode(image), Describe(image));
        }
    }
}
