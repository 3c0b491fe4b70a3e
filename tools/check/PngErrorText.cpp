#include "tools/check/PngErrorText.h"

#include "png/PngError.h"

std::string PngErrorText(unsigned code) {
    // Indexed by PngError code.
    static const char* const kTexts[] = {
        "no error",
        "not decoded",
        "the file is empty",
        "not a PNG file (bad signature)",
        "the file is cut short",
        "a chunk is too long",
        "a chunk's CRC does not match (the file is damaged)",
        "the first chunk is not the header",
        "the header has a wrong length",
        "the image has zero or too large a width or height",
        "the image is too large",
        "unknown colour type",
        "bit depth not allowed for its colour type",
        "unknown compression method",
        "unknown filter method",
        "unknown interlace method",
        "bad palette",
        "palette image without a palette",
        "bad transparency chunk",
        "bad background chunk",
        "no image data",
        "chunks out of order",
        "bad zlib header",
        "the compressed data's checksum does not match (the file is damaged)",
        "bad deflate block type",
        "bad stored block length",
        "bad Huffman code",
        "bad deflate symbol",
        "bad deflate distance",
        "the compressed data is cut short",
        "more image data than the image holds",
        "less image data than the image needs",
        "bad row filter type",
    };
    if (code < sizeof(kTexts) / sizeof(kTexts[0])) {
        return kTexts[code];
    }
    return "decoder error " + std::to_string(code);
}
