// What a broken PNG is reported as: every error code has its own text, and the decoder adds the
// chunk it stopped in, so a log line can say "bad CRC in chunk IDAT".

#include "png/PngError.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "PngReference.h"
#include "png/CPngDecoder.h"

namespace {

using pngref::Bytes;

// Signature and the chunks as given, each with a correct CRC.
Bytes File(const std::vector<std::pair<const char*, Bytes>>& chunks) {
    Bytes file = {137, 80, 78, 71, 13, 10, 26, 10};
    for (const auto& chunk : chunks) {
        pngref::AppendChunk(file, chunk.first, chunk.second);
    }
    return file;
}

// The zlib stream of a 2 x 2 RGB image, every scanline unfiltered.
Bytes Stream() {
    return pngref::Compress(Bytes(2 * (1 + 2 * 3), 0), {});
}

// IHDR, one IDAT, IEND: 57 bytes of chunks after the signature, IEND the last 12.
Bytes Good() {
    return File({{"IHDR", pngref::HeaderData(2, 2, 8, 2, 0)}, {"IDAT", Stream()}, {"IEND", {}}});
}

std::string Reason(const Bytes& file) {
    std::vector<unsigned char> out;
    CPngDecoder decoder;
    decoder.Decode(out, file);
    return decoder.GetErrorText();
}

}  // namespace

TEST(PngErrorText, EveryCodeHasItsOwnText) {
    std::set<std::string> texts;
    for (unsigned code = kPngOk; code <= kPngLastError; ++code) {
        const std::string text = PngErrorText(code);
        EXPECT_FALSE(text.empty()) << "code " << code;
        EXPECT_TRUE(texts.insert(text).second) << "code " << code << " repeats \"" << text << "\"";
    }
    EXPECT_EQ(texts.size(), 33u);
    const std::string unknown = PngErrorText(kPngLastError + 1);
    EXPECT_FALSE(unknown.empty());
    EXPECT_EQ(texts.count(unknown), 0u);
    EXPECT_STREQ(PngErrorText(kPngBadCrc), "bad CRC");
}

TEST(PngErrorText, ReasonNamesTheChunkWhenThereIsOne) {
    EXPECT_EQ(PngErrorReason(kPngBadCrc, "IDAT"), "bad CRC in chunk IDAT");
    EXPECT_EQ(PngErrorReason(kPngBadCrc, ""), "bad CRC");
    EXPECT_EQ(PngErrorReason(kPngTruncatedFile, "IDAT"), "file ends inside chunk IDAT");
    EXPECT_EQ(PngErrorReason(kPngTruncatedFile, ""), "file ends before its IEND chunk");
    EXPECT_EQ(PngErrorReason(kPngFirstChunkNotHeader, "tEXt"), "first chunk is tEXt, not IHDR");
    EXPECT_EQ(PngErrorReason(kPngChunkOutOfOrder, "PLTE"), "chunk PLTE out of order");
}

TEST(PngErrorText, DecoderReportsTheChunkItStoppedIn) {
    const Bytes good = Good();
    EXPECT_EQ(Reason(good), "no error");
    EXPECT_EQ(Reason({}), "file is empty");
    EXPECT_EQ(Reason(Bytes(good.begin(), good.begin() + 6)), "not a PNG file (bad signature)");

    Bytes badCrc = good;
    badCrc[badCrc.size() - 13] ^= 1;  // the last byte of the IDAT chunk's CRC
    EXPECT_EQ(Reason(badCrc), "bad CRC in chunk IDAT");
    EXPECT_EQ(Reason(Bytes(good.begin(), good.end() - 15)), "file ends inside chunk IDAT");
    EXPECT_EQ(Reason(Bytes(good.begin(), good.end() - 12)), "file ends before its IEND chunk");
    EXPECT_EQ(Reason(Bytes(good.begin(), good.begin() + 12)), "file ends before its IEND chunk");

    // Failures after the chunk walk lie in the image data.
    Bytes badZlib = Stream();
    badZlib[0] = 0x79;  // compression method 9
    EXPECT_EQ(Reason(File(
                  {{"IHDR", pngref::HeaderData(2, 2, 8, 2, 0)}, {"IDAT", badZlib}, {"IEND", {}}})),
              "bad zlib header in chunk IDAT");
    EXPECT_EQ(Reason(File({{"IHDR", pngref::HeaderData(2, 2, 8, 2, 0)}, {"IEND", {}}})),
              "no IDAT chunk");
    EXPECT_EQ(Reason(File({{"tEXt", {'a', 0, 'b'}}, {"IHDR", pngref::HeaderData(2, 2, 8, 2, 0)}})),
              "first chunk is tEXt, not IHDR");
    EXPECT_EQ(Reason(File({{"IHDR", pngref::HeaderData(0, 2, 8, 2, 0)}})),
              "image width or height is 0 or above 2^31 - 1 in chunk IHDR");
}

TEST(PngErrorText, ChunkTypesThatAreNotLettersArePrintedInHex) {
    Bytes file = Good();
    file[8 + 25 + 4] = 0x01;  // the IDAT chunk's type, first byte; its CRC no longer matches
    EXPECT_EQ(Reason(file), "bad CRC in chunk 0x01444154");
}
