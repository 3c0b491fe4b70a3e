#include "resources/CPngDecoder.h"

#include <memory>

#include "resources/Inflater.h"
#include "resources/PngChunkReader.h"
#include "resources/PngError.h"
#include "resources/PngImageAssembler.h"

void CPngDecoder::Decode(std::vector<unsigned char>& out, const std::vector<unsigned char>& in) {
    Decode(out, in.data(), in.size());
}

void CPngDecoder::Decode(std::vector<unsigned char>& out, const unsigned char* data, size_t size) {
    m_error = kPngOk;
    m_info = PngImageInfo();
    m_error = DecodeImage(out, data, size);
}

unsigned CPngDecoder::DecodeImage(std::vector<unsigned char>& out, const unsigned char* data,
                                  size_t size) {
    std::vector<unsigned char> compressed;
    unsigned error = PngChunkReader(m_settings.ignoreCrc, m_settings.readTextChunks)
                         .Read(data, size, m_info, compressed);
    if (error != kPngOk) {
        return error;
    }
    const PngImageAssembler assembler(m_info);
    const uint64_t filteredSize = assembler.FilteredSize();
    // A stream too short to expand to the image is rejected before anything is allocated.
    if (filteredSize > uint64_t(compressed.size()) * Inflater::kMaxExpansion) {
        return kPngNotEnoughImageData;
    }
    // Not value-initialised: the inflater writes every byte, and untouched pages of a large
    // buffer for a short, broken stream are never faulted in.
    std::unique_ptr<unsigned char[]> filtered(new unsigned char[size_t(filteredSize)]);
    error =
        Inflater(m_settings.ignoreAdler32)
            .Inflate(compressed.data(), compressed.size(), filtered.get(), size_t(filteredSize));
    if (error != kPngOk) {
        return error;
    }
    std::vector<unsigned char> rgba(size_t(m_info.width) * m_info.height * 4);
    error = assembler.Assemble(filtered.get(), rgba.data());
    if (error == kPngOk) {
        out.swap(rgba);
    }
    return error;
}
