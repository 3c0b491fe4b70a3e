// Feeds arbitrary bytes to the PNG decoder, with the CRC and Adler-32 checks skipped so that
// mutated files reach the decompressor and the scanline stages. A decode must either fail with a
// non-zero code and leave the output untouched, or succeed with exactly width * height * 4 bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "png/CPngDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<unsigned char> out = {7};
    CPngDecoder::Settings settings;
    settings.ignoreCrc = true;
    settings.ignoreAdler32 = true;
    CPngDecoder decoder(settings);
    decoder.Decode(out, data, size);
    if (decoder.HasError()) {
        if (decoder.GetError() == 0 || out.size() != 1 || out[0] != 7) {
            std::abort();
        }
    } else if (out.size() != size_t(decoder.GetWidth()) * decoder.GetHeight() * 4) {
        std::abort();
    }
    return 0;
}
