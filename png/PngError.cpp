#include "png/PngError.h"

namespace {

// Indexed by code; the order follows the enumeration.
const char* const kTexts[] = {
    "no error",
    "nothing decoded yet",
    "file is empty",
    "not a PNG file (bad signature)",
    "file ends before its IEND chunk",
    "chunk length above 2^31 - 1",
    "bad CRC",
    "first chunk is not IHDR",
    "IHDR chunk is not 13 bytes long",
    "image width or height is 0 or above 2^31 - 1",
    "image above 64 Mi pixels",
    "unknown colour type",
    "bit depth not allowed for the colour type",
    "unknown compression method",
    "unknown filter method",
    "unknown interlace method",
    "bad palette length",
    "palette image without a PLTE chunk before its data",
    "bad transparency chunk",
    "bad background chunk",
    "no IDAT chunk",
    "chunk out of order",
    "bad zlib header",
    "bad Adler-32 checksum of the image data",
    "bad DEFLATE block type",
    "bad length of a stored DEFLATE block",
    "bad Huffman code table",
    "bad Huffman symbol",
    "DEFLATE distance before the start of the data",
    "compressed image data ends early",
    "more image data than the image holds",
    "less image data than the image holds",
    "unknown scanline filter type",
};

static_assert(sizeof kTexts / sizeof kTexts[0] == kPngLastError + 1,
              "every PngError code needs its text");

}  // namespace

const char* PngErrorText(unsigned error) {
    return error <= kPngLastError ? kTexts[error] : "unknown decoder error";
}

std::string PngErrorReason(unsigned error, const std::string& chunk) {
    // A missing IDAT is found at IEND, yet the fault lies in the whole file.
    if (chunk.empty() || error == kPngMissingImageData) {
        return PngErrorText(error);
    }
    switch (error) {
        case kPngTruncatedFile:
            return "file ends inside chunk " + chunk;
        case kPngFirstChunkNotHeader:
            return "first chunk is " + chunk + ", not IHDR";
        case kPngChunkOutOfOrder:
            return "chunk " + chunk + " out of order";
        default:
            return std::string(PngErrorText(error)) + " in chunk " + chunk;
    }
}
