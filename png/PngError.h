#pragma once
// Result codes of the PNG decoder. 0 is success; every kind of failure has its own number so a
// test or a debugger can tell them apart, although callers only look at zero versus non-zero.
// Each code has a short English text for log lines.

#include <string>

enum PngError : unsigned {
    kPngOk = 0,
    kPngNotDecoded = 1,  // a decoder that has not decoded anything yet
    kPngEmptyInput = 2,
    kPngBadSignature = 3,
    kPngTruncatedFile = 4,  // a chunk runs past the end, or the file ends before IEND
    kPngChunkTooLong = 5,
    kPngBadCrc = 6,
    kPngFirstChunkNotHeader = 7,
    kPngBadHeaderLength = 8,
    kPngBadImageSize = 9,  // zero width or height, or a side above 2^31 - 1
    kPngImageTooLarge = 10,
    kPngBadColorType = 11,
    kPngBadBitDepth = 12,
    kPngBadCompressionMethod = 13,
    kPngBadFilterMethod = 14,
    kPngBadInterlaceMethod = 15,
    kPngBadPalette = 16,
    kPngMissingPalette = 17,
    kPngBadTransparency = 18,
    kPngBadBackground = 19,
    kPngMissingImageData = 20,
    kPngChunkOutOfOrder = 21,
    kPngBadZlibHeader = 22,
    kPngBadAdler32 = 23,
    kPngBadBlockType = 24,
    kPngBadStoredLength = 25,
    kPngBadHuffmanCode = 26,
    kPngBadSymbol = 27,
    kPngBadDistance = 28,
    kPngCompressedDataTruncated = 29,
    kPngTooMuchImageData = 30,
    kPngNotEnoughImageData = 31,
    kPngBadFilterType = 32,
};

// The highest code in use; every code from kPngOk to this one has its own text.
constexpr unsigned kPngLastError = kPngBadFilterType;

// A short lower-case text for the code, e.g. "bad CRC"; an unknown code gets a text too.
const char* PngErrorText(unsigned error);

// The text completed with the chunk the decoder stopped in, when it names one (chunk is then
// its four-letter type): "bad CRC in chunk IDAT", "file ends inside chunk IDAT".
std::string PngErrorReason(unsigned error, const std::string& chunk);
