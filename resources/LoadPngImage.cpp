#include "resources/LoadPngImage.h"

#include "core/ReadFileBytes.h"
#include "png/CPngDecoder.h"

void LoadPngImage(const std::string& fileName, std::vector<unsigned char>& pixels, int& width,
                  int& height) {
    std::vector<unsigned char> bytes;
    ReadFileBytes(fileName, bytes);
    CPngDecoder decoder;
    decoder.Decode(pixels, bytes);
    if (!decoder.HasError()) {
        // The decoder caps images at 64 Mi pixels, so both sides fit a signed 32-bit int.
        width = int(decoder.GetWidth());
        height = int(decoder.GetHeight());
    }
}
