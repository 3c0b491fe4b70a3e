// Malformed files: each gives its own non-zero error code and leaves the output untouched.

#include "png/CPngDecoder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "PngReference.h"
#include "png/PngError.h"

namespace {

using pngref::Bytes;
using pngref::RawImage;

RawImage SmallImage(int colorType = 2, int bitDepth = 8) {
    RawImage image;
    image.width = 4;
    image.height = 3;
    image.colorType = colorType;
    image.bitDepth = bitDepth;
    image.rows = pngref::NoiseBytes(image.RowBytes() * image.height, 12);
    if (colorType == 3) {
        image.palette = pngref::NoiseBytes(size_t(3) << bitDepth, 13);
    }
    return image;
}

Bytes Stream(const RawImage& image) {
    return pngref::Compress(pngref::FilterAllTypes(image), {});
}

// A file from IHDR fields and a chunk list, each chunk with a correct CRC.
Bytes File(const Bytes& ihdr, const std::vector<std::pair<std::string, Bytes>>& chunks) {
    Bytes file = {137, 80, 78, 71, 13, 10, 26, 10};
    pngref::AppendChunk(file, "IHDR", ihdr);
    for (const auto& chunk : chunks) {
        pngref::AppendChunk(file, chunk.first.c_str(), chunk.second);
    }
    return file;
}

Bytes Ihdr(uint32_t width, uint32_t height, int depth, int colorType, int interlace = 0) {
    return pngref::HeaderData(width, height, depth, colorType, interlace);
}

unsigned DecodeError(const Bytes& file) {
    std::vector<unsigned char> out = {9, 9};
    CPngDecoder decoder;
    decoder.Decode(out, file);
    if (decoder.HasError()) {
        EXPECT_EQ(out, (std::vector<unsigned char>{9, 9}));
    }
    return decoder.GetError();
}

// Replaces the zlib stream of the small RGB image and rebuilds the file.
Bytes WithStream(const Bytes& stream) {
    return File(Ihdr(4, 3, 8, 2), {{"IDAT", stream}, {"IEND", {}}});
}

}  // namespace

TEST(PngMalformed, FileStructure) {
    const Bytes good = pngref::BuildPng(SmallImage(), Stream(SmallImage()), 1 << 20);
    ASSERT_EQ(DecodeError(good), 0u);
    EXPECT_EQ(DecodeError({}), kPngEmptyInput);
    EXPECT_EQ(DecodeError(Bytes(good.begin(), good.begin() + 5)), kPngBadSignature);
    Bytes badSignature = good;
    badSignature[4] = 10;  // CR turned into LF
    EXPECT_EQ(DecodeError(badSignature), kPngBadSignature);
    for (size_t cut = 8; cut < good.size(); ++cut) {
        EXPECT_EQ(DecodeError(Bytes(good.begin(), good.begin() + cut)), kPngTruncatedFile)
            << "cut at " << cut;
    }
    Bytes huge = good;
    huge[8] = 0x80;  // IHDR length 2^31 + 13
    EXPECT_EQ(DecodeError(huge), kPngChunkTooLong);
    Bytes textFirst = {137, 80, 78, 71, 13, 10, 26, 10};
    pngref::AppendChunk(textFirst, "tEXt", {'a', 0, 'b'});
    textFirst.insert(textFirst.end(), good.begin() + 8, good.end());
    EXPECT_EQ(DecodeError(textFirst), kPngFirstChunkNotHeader);
    EXPECT_EQ(DecodeError(File(Ihdr(4, 3, 8, 2), {{"IEND", {}}})), kPngMissingImageData);
}

TEST(PngMalformed, HeaderFields) {
    const Bytes stream = Stream(SmallImage());
    auto withHeader = [&](const Bytes& ihdr) {
        return File(ihdr, {{"IDAT", stream}, {"IEND", {}}});
    };
    Bytes longHeader = Ihdr(4, 3, 8, 2);
    longHeader.push_back(0);
    EXPECT_EQ(DecodeError(withHeader(longHeader)), kPngBadHeaderLength);
    EXPECT_EQ(DecodeError(withHeader(Ihdr(0, 3, 8, 2))), kPngBadImageSize);
    EXPECT_EQ(DecodeError(withHeader(Ihdr(4, 0x80000000u, 8, 2))), kPngBadImageSize);
    EXPECT_EQ(DecodeError(withHeader(Ihdr(16385, 16385, 8, 2))), kPngImageTooLarge);
    EXPECT_EQ(DecodeError(withHeader(Ihdr(0x7FFFFFFF, 0x7FFFFFFF, 16, 6))), kPngImageTooLarge);
    for (int colorType : {1, 5, 7, 255}) {
        EXPECT_EQ(DecodeError(withHeader(Ihdr(4, 3, 8, colorType))), kPngBadColorType);
    }
    const std::vector<std::pair<int, int>> badDepths = {{0, 3}, {0, 32}, {2, 4}, {3, 16},
                                                        {4, 1}, {6, 2},  {2, 0}};
    for (const auto& typeDepth : badDepths) {
        EXPECT_EQ(DecodeError(withHeader(Ihdr(4, 3, typeDepth.second, typeDepth.first))),
                  kPngBadBitDepth);
    }
    Bytes ihdr = Ihdr(4, 3, 8, 2);
    ihdr[10] = 1;
    EXPECT_EQ(DecodeError(withHeader(ihdr)), kPngBadCompressionMethod);
    ihdr = Ihdr(4, 3, 8, 2);
    ihdr[11] = 1;
    EXPECT_EQ(DecodeError(withHeader(ihdr)), kPngBadFilterMethod);
    EXPECT_EQ(DecodeError(withHeader(Ihdr(4, 3, 8, 2, 2))), kPngBadInterlaceMethod);
    EXPECT_EQ(DecodeError(File(Ihdr(4, 3, 8, 2), {{"IHDR", Ihdr(4, 3, 8, 2)}})),
              kPngChunkOutOfOrder);
}

TEST(PngMalformed, PaletteTransparencyAndBackground) {
    const RawImage indexed = SmallImage(3, 2);
    const Bytes stream = Stream(indexed);
    const Bytes ihdr = Ihdr(4, 3, 2, 3);
    const Bytes palette = indexed.palette;  // 4 entries
    auto file = [&](std::vector<std::pair<std::string, Bytes>> before) {
        before.push_back({"IDAT", stream});
        before.push_back({"IEND", {}});
        return File(ihdr, before);
    };
    ASSERT_EQ(DecodeError(file({{"PLTE", palette}})), 0u);
    EXPECT_EQ(DecodeError(file({})), kPngMissingPalette);
    EXPECT_EQ(DecodeError(file({{"PLTE", Bytes(257 * 3, 1)}})), kPngBadPalette);
    EXPECT_EQ(DecodeError(file({{"PLTE", Bytes(10, 1)}})), kPngBadPalette);
    EXPECT_EQ(DecodeError(file({{"PLTE", palette}, {"PLTE", palette}})), kPngChunkOutOfOrder);
    EXPECT_EQ(DecodeError(file({{"PLTE", palette}, {"tRNS", Bytes(5, 0)}})), kPngBadTransparency);
    EXPECT_EQ(DecodeError(file({{"tRNS", {0}}, {"PLTE", palette}})), kPngChunkOutOfOrder);
    EXPECT_EQ(DecodeError(file({{"PLTE", palette}, {"bKGD", {0, 1}}})), kPngBadBackground);

    const Bytes rgbStream = Stream(SmallImage());
    auto rgbFile = [&](const Bytes& header, const std::string& type, const Bytes& data) {
        return File(header, {{type, data}, {"IDAT", rgbStream}, {"IEND", {}}});
    };
    EXPECT_EQ(DecodeError(rgbFile(Ihdr(4, 3, 8, 2), "tRNS", {0, 1, 0, 2})), kPngBadTransparency);
    EXPECT_EQ(DecodeError(rgbFile(Ihdr(4, 3, 8, 2), "bKGD", {0, 1})), kPngBadBackground);
    EXPECT_EQ(DecodeError(rgbFile(Ihdr(4, 3, 8, 0), "tRNS", {0, 1, 0})), kPngBadTransparency);
    EXPECT_EQ(DecodeError(rgbFile(Ihdr(2, 3, 8, 6), "tRNS", {0, 1})), kPngBadTransparency);
    EXPECT_EQ(DecodeError(rgbFile(Ihdr(2, 3, 8, 4), "tRNS", {0, 1})), kPngBadTransparency);
}

TEST(PngMalformed, ZlibStream) {
    const Bytes stream = Stream(SmallImage());
    ASSERT_EQ(DecodeError(WithStream(stream)), 0u);
    auto withHeaderBytes = [&](uint8_t cmf, uint8_t flags) {
        Bytes s = stream;
        s[0] = cmf;
        s[1] = uint8_t(flags + (31 - (cmf * 256 + flags) % 31) % 31);
        return WithStream(s);
    };
    EXPECT_EQ(DecodeError(withHeaderBytes(0x77, 0x80)), kPngBadZlibHeader);  // method 7
    EXPECT_EQ(DecodeError(withHeaderBytes(0x88, 0x80)), kPngBadZlibHeader);  // 64 KiB window
    EXPECT_EQ(DecodeError(withHeaderBytes(0x78, 0xA0)), kPngBadZlibHeader);  // preset dictionary
    Bytes badCheck = stream;
    badCheck[1] ^= 1;
    EXPECT_EQ(DecodeError(WithStream(badCheck)), kPngBadZlibHeader);
    Bytes badAdler = stream;
    badAdler.back() ^= 1;
    EXPECT_EQ(DecodeError(WithStream(badAdler)), kPngBadAdler32);
    Bytes noAdler(stream.begin(), stream.end() - 4);
    EXPECT_EQ(DecodeError(WithStream(noAdler)), kPngCompressedDataTruncated);
    Bytes cut(stream.begin(), stream.begin() + stream.size() / 2);
    EXPECT_NE(DecodeError(WithStream(cut)), 0u);
}

TEST(PngMalformed, ScanlineDataOfTheWrongSizeOrFilter) {
    RawImage image = SmallImage();
    Bytes filtered = pngref::FilterAllTypes(image);
    Bytes more = filtered;
    more.push_back(0);
    EXPECT_EQ(DecodeError(WithStream(pngref::Compress(more, {}))), kPngTooMuchImageData);
    Bytes less(filtered.begin(), filtered.end() - 1);
    EXPECT_EQ(DecodeError(WithStream(pngref::Compress(less, {}))), kPngNotEnoughImageData);
    EXPECT_EQ(DecodeError(WithStream(pngref::Compress(less, {0, 15, Z_DEFAULT_STRATEGY}))),
              kPngNotEnoughImageData);
    filtered[13] = 5;  // second row's filter type
    EXPECT_EQ(DecodeError(WithStream(pngref::Compress(filtered, {}))), kPngBadFilterType);
    // A 30000 x 2000 header over a few bytes of data fails before a buffer is sized to it.
    EXPECT_EQ(DecodeError(File(Ihdr(30000, 2000, 8, 2),
                               {{"IDAT", pngref::Compress(Bytes(10, 0), {})}, {"IEND", {}}})),
              kPngNotEnoughImageData);
}
