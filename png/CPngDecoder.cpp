#include "png/CPngDecoder.h"

#include <cstdio>

#include "png/Inflater.h"
#include "png/PngChunkReader.h"
#include "png/PngError.h"
#include "png/PngImageAssembler.h"

namespace {

// The four letters of a chunk type; a type that is not four ASCII letters (a corrupt file)
// as a hexadecimal number, so the log line stays printable.
std::string ChunkName(uint32_t type) {
    std::string name;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = char((type >> shift) & 0xFF);
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) {
            char hex[11];
            std::snprintf(hex, sizeof hex, "0x%08X", unsigned(type));
            return hex;
        }
        name += c;
    }
    return name;
}

}  // namespace

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
    std::vector<Inflater::Segment> compressed;
    unsigned error = PngChunkReader(m_settings.ignoreCrc, m_settings.readTextChunks)
                         .Read(data, size, m_info, compressed);
    if (error != kPngOk) {
        return error;
    }
    const PngImageAssembler assembler(m_info);
    const uint64_t filteredSize = assembler.FilteredSize();
    // A stream too short to expand to the image is rejected before anything is allocated.
    uint64_t compressedSize = 0;
    for (const Inflater::Segment& segment : compressed) {
        compressedSize += segment.size;
    }
    if (filteredSize > compressedSize * Inflater::kMaxExpansion) {
        return kPngNotEnoughImageData;
    }
    Inflater inflater(m_settings.ignoreAdler32);
    const size_t rgbaSize = size_t(m_info.width) * m_info.height * 4;
    // One buffer for scanlines and image when that is safe (see PngImageAssembler) and costs
    // at most twice the scanlines, so a broken stream never makes us size the image itself.
    if (m_info.interlaceMethod == 0 && rgbaSize <= 2 * filteredSize) {
        std::vector<unsigned char> buffer(assembler.WorkingSize());
        unsigned char* scanlines = buffer.data() + (buffer.size() - filteredSize);
        error = inflater.Inflate(compressed, scanlines, filteredSize);
        if (error == kPngOk) {
            error = assembler.Assemble(scanlines, buffer.data());
        }
        if (error == kPngOk) {
            buffer.resize(rgbaSize);
            // 16-bit images: drop the scanline space. 8-bit RGBA keeps its one spare byte
            // per row rather than copying the image.
            if (buffer.capacity() - rgbaSize > rgbaSize / 8) {
                buffer.shrink_to_fit();
            }
            out.swap(buffer);
        }
        return error;
    }
    std::vector<unsigned char> scanlines(filteredSize);
    error = inflater.Inflate(compressed, scanlines.data(), scanlines.size());
    if (error != kPngOk) {
        return error;
    }
    std::vector<unsigned char> rgba(rgbaSize);
    error = assembler.Assemble(scanlines.data(), rgba.data());
    if (error == kPngOk) {
        out.swap(rgba);
    }
    return error;
}

std::string CPngDecoder::GetErrorText() const {
    std::string chunk;
    if (m_error != kPngOk && m_info.lastChunk != 0) {
        chunk = ChunkName(m_info.lastChunk);
    }
    return PngErrorReason(m_error, chunk);
}
