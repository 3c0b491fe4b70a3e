// The decoder's contract on small hand-made images: pixel layout, 16-bit samples, palette
// transparency, colour keys, interlacing, CRC damage, and loading from files.

#include "png/CPngDecoder.h"

#include <gtest/gtest.h>

#include <vector>

#include "PngReference.h"
#include "core/ReadFileBytes.h"
#include "resources/LoadPngImage.h"
#include "support/TempDir.h"

namespace {

using pngref::Bytes;
using pngref::RawImage;

RawImage MakeImage(uint32_t width, uint32_t height, int colorType, int bitDepth, Bytes rows) {
    RawImage image;
    image.width = width;
    image.height = height;
    image.colorType = colorType;
    image.bitDepth = bitDepth;
    image.rows = std::move(rows);
    return image;
}

Bytes Encode(const RawImage& image) {
    return pngref::BuildPng(image, pngref::Compress(pngref::FilterAllTypes(image), {}), 1 << 20);
}

Bytes DecodeOk(const Bytes& file) {
    CPngDecoder decoder;
    std::vector<unsigned char> out;
    decoder.Decode(out, file);
    EXPECT_EQ(decoder.GetError(), 0u);
    return out;
}

}  // namespace

TEST(PngEdgeCases, Rgba3x2GivesTwentyFourBytesTopLeftFirst) {
    Bytes rows;
    for (int i = 0; i < 24; ++i) {
        rows.push_back(uint8_t(10 + i));
    }
    const Bytes file = Encode(MakeImage(3, 2, 6, 8, rows));
    CPngDecoder decoder;
    std::vector<unsigned char> out;
    decoder.Decode(out, file);
    ASSERT_FALSE(decoder.HasError());
    EXPECT_EQ(decoder.GetWidth(), 3u);
    EXPECT_EQ(decoder.GetHeight(), 2u);
    EXPECT_EQ(out, rows);
}

TEST(PngEdgeCases, SixteenBitRgbKeepsHighBytesAndIsOpaque) {
    const Bytes rows = {0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x01, 0x00, 0xFF, 0x80, 0x00, 0x7F, 0xFF};
    const Bytes out = DecodeOk(Encode(MakeImage(2, 1, 2, 16, rows)));
    EXPECT_EQ(out, (Bytes{0x12, 0xAB, 0xFF, 255, 0x00, 0x80, 0x7F, 255}));
}

TEST(PngEdgeCases, ShortPaletteTransparencyLeavesLaterEntriesOpaque) {
    RawImage image = MakeImage(4, 1, 3, 8, {0, 1, 2, 3});
    image.palette = {10, 11, 12, 20, 21, 22, 30, 31, 32, 40, 41, 42};
    image.transparency = {0, 128};
    CPngDecoder decoder;
    std::vector<unsigned char> out;
    decoder.Decode(out, Encode(image));
    ASSERT_FALSE(decoder.HasError());
    EXPECT_EQ(out, (Bytes{10, 11, 12, 0, 20, 21, 22, 128, 30, 31, 32, 255, 40, 41, 42, 255}));
    EXPECT_EQ(decoder.GetPalette().size(), 16u);
    EXPECT_EQ(decoder.GetPalette()[7], 128);
}

TEST(PngEdgeCases, ColourKeyMakesMatchingPixelsTransparent) {
    RawImage grey = MakeImage(3, 1, 0, 8, {5, 6, 5});
    grey.transparency = {0, 5};
    EXPECT_EQ(DecodeOk(Encode(grey)), (Bytes{5, 5, 5, 0, 6, 6, 6, 255, 5, 5, 5, 0}));

    RawImage rgb = MakeImage(2, 1, 2, 8, {1, 2, 3, 1, 2, 4});
    rgb.transparency = {0, 1, 0, 2, 0, 3};
    CPngDecoder decoder;
    std::vector<unsigned char> out;
    decoder.Decode(out, Encode(rgb));
    EXPECT_TRUE(decoder.HasColorKey());
    EXPECT_EQ(out, (Bytes{1, 2, 3, 0, 1, 2, 4, 255}));

    // Low bit depths compare the raw sample and scale it: 2-bit grey 2 becomes 170.
    RawImage low = MakeImage(4, 1, 0, 2, {0x1B});  // samples 0, 1, 2, 3
    low.transparency = {0, 2};
    EXPECT_EQ(DecodeOk(Encode(low)),
              (Bytes{0, 0, 0, 255, 85, 85, 85, 255, 170, 170, 170, 0, 255, 255, 255, 255}));
}

TEST(PngEdgeCases, InterlacedDecodesLikeNonInterlaced) {
    for (int colorType : {0, 2, 3, 4, 6}) {
        const int depth = colorType == 3 ? 4 : 8;
        RawImage image = MakeImage(13, 11, colorType, depth, {});
        image.rows = pngref::NoiseBytes(image.RowBytes() * image.height, uint32_t(colorType));
        if (colorType == 3) {
            image.palette = pngref::NoiseBytes(48, 9);
        }
        const Bytes plain = DecodeOk(pngref::LibpngEncode(image));
        image.interlace = 1;
        const Bytes interlaced = DecodeOk(pngref::LibpngEncode(image));
        EXPECT_EQ(plain.size(), 13u * 11 * 4);
        EXPECT_TRUE(plain == interlaced) << "colour type " << colorType;
    }
}

TEST(PngEdgeCases, AnyChangedChunkByteWithoutCrcFixFails) {
    RawImage image = MakeImage(4, 3, 3, 8, pngref::NoiseBytes(12, 3));
    for (auto& index : image.rows) {
        index &= 3;
    }
    image.palette = pngref::NoiseBytes(12, 4);
    image.transparency = {7};
    const Bytes file = Encode(image);
    // Every byte after the signature: lengths, types, data and CRCs.
    for (size_t i = 8; i < file.size(); ++i) {
        Bytes damaged = file;
        damaged[i] ^= 0x20;
        std::vector<unsigned char> out = {42};
        CPngDecoder decoder;
        decoder.Decode(out, damaged);
        EXPECT_TRUE(decoder.HasError()) << "byte " << i;
        EXPECT_EQ(out, (std::vector<unsigned char>{42})) << "byte " << i;
    }
}

TEST(PngEdgeCases, HeaderFactsBackgroundAndTextAreKept) {
    RawImage image = MakeImage(2, 2, 2, 8, pngref::NoiseBytes(12, 5));
    Bytes file = Encode(image);
    Bytes extra;
    pngref::AppendChunk(extra, "bKGD", {0, 1, 0, 2, 0, 3});
    pngref::AppendChunk(extra, "tEXt", {'T', 'i', 't', 'l', 'e', 0, 'S', 'h', 'i', 'p'});
    pngref::AppendChunk(extra, "zzZz", {1, 2, 3});               // unknown chunks are skipped
    file.insert(file.begin() + 33, extra.begin(), extra.end());  // right after IHDR
    CPngDecoder decoder;
    std::vector<unsigned char> out;
    decoder.Decode(out, file);
    ASSERT_FALSE(decoder.HasError());
    EXPECT_EQ(out, DecodeOk(Encode(image)));  // no effect on the pixels
    EXPECT_EQ(decoder.GetColorType(), 2u);
    EXPECT_EQ(decoder.GetBitDepth(), 8u);
    EXPECT_EQ(decoder.GetInterlaceMethod(), 0u);
    EXPECT_TRUE(decoder.HasBackground());
    EXPECT_EQ(decoder.GetInfo().backgroundBlue, 3);
    ASSERT_EQ(decoder.GetTexts().size(), 1u);
    EXPECT_EQ(decoder.GetTexts()[0].keyword, "Title");
    EXPECT_EQ(decoder.GetTexts()[0].text, "Ship");
}

TEST(PngEdgeCases, ANewDecoderReportsNoDecodeYetAndEachDecodeStartsAfresh) {
    CPngDecoder decoder;
    EXPECT_EQ(decoder.GetError(), 1u);
    RawImage keyed = MakeImage(1, 1, 0, 8, {9});
    keyed.transparency = {0, 9};
    std::vector<unsigned char> out;
    decoder.Decode(out, Encode(keyed));
    EXPECT_TRUE(decoder.HasColorKey());
    decoder.Decode(out, Encode(MakeImage(2, 1, 0, 8, {1, 2})));
    EXPECT_FALSE(decoder.HasError());
    EXPECT_FALSE(decoder.HasColorKey());
    EXPECT_EQ(decoder.GetWidth(), 2u);
}

TEST(PngFiles, LoadPngImageFillsPixelsAndSize) {
    TempDir dir;
    const Bytes file = Encode(MakeImage(3, 2, 6, 8, pngref::NoiseBytes(24, 8)));
    const std::string path = dir.Write("image.png", std::string(file.begin(), file.end()));
    std::vector<unsigned char> pixels;
    int width = -1, height = -1;
    LoadPngImage(path, pixels, width, height);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(pixels, DecodeOk(file));
}

TEST(PngFiles, MissingOrCorruptFileLeavesPixelsAndSizeUntouched) {
    TempDir dir;
    const std::string corrupt = dir.Write("bad.png", "\x89PNG\r\n\x1a\nnot really");
    for (const std::string& path : {dir.Path() + "/missing.png", corrupt, dir.Path() + "/"}) {
        std::vector<unsigned char> pixels = {1, 2, 3};
        int width = 17, height = 23;
        LoadPngImage(path, pixels, width, height);
        EXPECT_EQ(pixels, (std::vector<unsigned char>{1, 2, 3}));
        EXPECT_EQ(width, 17);
        EXPECT_EQ(height, 23);
    }
}

TEST(PngFiles, ReadFileBytesReadsTheWholeFileOrNothing) {
    TempDir dir;
    std::string content(70000, 'a');
    content[0] = '\0';
    content[69999] = 'z';
    const std::string path = dir.Write("data.bin", content);
    std::vector<unsigned char> bytes;
    ReadFileBytes(path, bytes);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), content);

    std::vector<unsigned char> none;
    ReadFileBytes(dir.Path() + "/nope.bin", none);
    EXPECT_TRUE(none.empty());
    ReadFileBytes(dir.Write("empty.bin", ""), none);
    EXPECT_TRUE(none.empty());
    ReadFileBytes(dir.Path(), none);  // a directory, e.g. a sprite with no file name
    EXPECT_TRUE(none.empty());
}
