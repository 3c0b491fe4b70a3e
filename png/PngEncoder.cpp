#include "png/PngEncoder.h"

#include <algorithm>
#include <vector>

#include "png/Adler32.h"
#include "png/Crc32.h"

namespace {

// The most bytes one stored deflate block holds.
constexpr size_t kStoredBlockMax = 65535;
// Keeps the image data's size within what a chunk length can say.
constexpr uint64_t kMaxDataBytes = 0x7FFF0000u;

void PutBigEndian(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

// Appends a chunk: length, type, data and the CRC of type and data.
void PutChunk(std::string& out, const char* type, const std::string& data) {
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    out += typed;
    PutBigEndian(out, Crc32::Compute(reinterpret_cast<const unsigned char*>(typed.data()),
                                     typed.size()));
}

// The zlib stream of raw in stored blocks: header, blocks, Adler-32 of raw.
std::string StoredZlib(const std::vector<unsigned char>& raw) {
    std::string out = "\x78\x01";
    size_t done = 0;
    do {
        const size_t size = std::min(kStoredBlockMax, raw.size() - done);
        const bool last = done + size == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<char>(size & 0xFF));
        out.push_back(static_cast<char>(size >> 8));
        out.push_back(static_cast<char>(~size & 0xFF));
        out.push_back(static_cast<char>((~size >> 8) & 0xFF));
        out.append(reinterpret_cast<const char*>(raw.data()) + done, size);
        done += size;
    } while (done < raw.size());
    PutBigEndian(out, Adler32::Compute(raw.data(), raw.size()));
    return out;
}

}  // namespace

std::string PngEncoder::EncodeRgb(const unsigned char* rgb, uint32_t width, uint32_t height) {
    const uint64_t rowBytes = uint64_t{width} * 3;
    if (width == 0 || height == 0 || (rowBytes + 1) * height > kMaxDataBytes) {
        return "";
    }
    std::vector<unsigned char> raw;
    raw.reserve(static_cast<size_t>((rowBytes + 1) * height));
    for (uint32_t y = 0; y < height; ++y) {
        raw.push_back(0);
        const unsigned char* row = rgb + y * rowBytes;
        raw.insert(raw.end(), row, row + rowBytes);
    }
    std::string header;
    PutBigEndian(header, width);
    PutBigEndian(header, height);
    header += std::string("\x08\x02\x00\x00\x00", 5);
    std::string out = "\x89PNG\r\n\x1a\n";
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", StoredZlib(raw));
    PutChunk(out, "IEND", "");
    return out;
}
