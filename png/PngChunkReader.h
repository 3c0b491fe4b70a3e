#pragma once
// Walks the chunks of a PNG file image: checks the signature, the length and CRC-32 of every
// chunk and the order rules, reads IHDR, PLTE, tRNS, bKGD and tEXt into a PngImageInfo, and
// lists where the data of the IDAT chunks lies, in file order: together they are the one
// compressed stream. Other chunks are skipped. The walk ends at IEND.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "png/Inflater.h"

struct PngImageInfo;

class PngChunkReader {
public:
    // Largest decoded image accepted: 256 MiB of RGBA output (64 Mi pixels).
    static constexpr uint64_t kMaxOutputBytes = uint64_t(256) << 20;

    PngChunkReader(bool ignoreCrc, bool readTextChunks)
        : m_ignoreCrc(ignoreCrc), m_readTextChunks(readTextChunks) {}

    // Returns 0 or a PngError code. info must be freshly constructed; compressed points into
    // data afterwards.
    unsigned Read(const unsigned char* data, size_t size, PngImageInfo& info,
                  std::vector<Inflater::Segment>& compressed);

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
    std::vector<Inflater::Segment>* m_compressed = nullptr;
    bool m_seenPalette = false;
    bool m_seenImageData = false;
    bool m_seenTransparency = false;
};
