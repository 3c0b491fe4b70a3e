#include "resources/LoadPngImage.h"

#include "core/ReadFileBytes.h"
#include "png/CPngDecoder.h"

std::string LoadPngImage(const std::string& fileName, std::vector<unsigned char>& pixels,
                         int& width, int& height) {
    std::vector<unsigned char> bytes;
    ReadFileBytes(fileName, bytes);
    if (bytes.empty()) {
        return "file is missing, unreadable or empty";
    }
    CPngDecoder decoder;
    decoder.Decode(pixels, bytes);
    if (decoder.HasError()) {
        return decoder.GetErrorText();
    }
    // The decoder caps images at 64 Mi pixels, so both sides fit a signed 32-bit int.
    width = int(decoder.GetWidth());
    height = int(decoder.GetHeight());
    return std::string();
}
