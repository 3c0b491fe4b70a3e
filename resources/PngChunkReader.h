#pragma once
// Walks the chunks of a PNG file image: checks the signature, the length and CRC-32 of every
// chunk and the order rules, reads IHDR, PLTE, tRNS, bKGD and tEXt into a PngImageInfo, and
// gathers the data of all IDAT chunks, in file order, into one compressed stream. Other
// chunks are skipped. The walk ends at IEND.

#include <cstddef>
#include <cstdint>
#include <vector>

struct PngImageInfo;

class PngChunkReader {
public:
    // Largest decoded image accepted: 256 MiB of RGBA output (64 Mi pixels).
    static constexpr uint64_t kMaxOutputBytes = uint64_t(256) << 20;

    PngChunkReader(bool ignoreCrc, bool readTextChunks)
        : m_ignoreCrc(ignoreCrc), m_readTextChunks(readTextChunks) {}

    // Returns 0 or a PngError code. info must be freshly constructed.
    unsigned Read(const unsigned char* data, size_t size, PngImageInfo& info,
                  std::vector<unsigned char>& compressed);

private:
    unsigned ReadChunk(uint32_t type, const unsigned char* data, uint32_t length);
    unsigned ReadHeader(const unsigned char* data, uint32_t length);
    unsigned ReadPalette(const unsigned char* data, uint32_t length);
    unsigned ReadTransparency(const unsigned char* data, uint32_t length);
    unsigned ReadBackground(const unsigned char* data, uint32_t length);
    void ReadText(const unsigned char* data, uint32_t length);

    bool m_ignoreCrc;
    bool m_readTextChunks;
    PngImageInfo* m_info = nullptr;
    std::vector<unsigned char>* m_compressed = nullptr;
    bool m_seenPalette = false;
    bool m_seenImageData = false;
    bool m_seenTransparency = false;
};
