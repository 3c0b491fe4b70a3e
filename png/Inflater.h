#pragma once
// Decompresses one zlib stream (RFC 1950) holding DEFLATE data (RFC 1951) into a buffer of a
// known size: the header is checked, every block type is decoded, and the Adler-32 at the end
// must match. The stream must produce exactly the expected number of bytes; a stream that
// would write more or ends with fewer is an error, so the output never grows past the buffer.
//
// Decoding keeps 56 to 63 input bits in a 64-bit buffer refilled a whole word at a time, and
// resolves codes through HuffmanTable look-ups; in dynamic blocks with output enough to repay
// the work, one look-up yields two literals where both codes fit the table's first level. Far
// from the ends of an input segment and of the output it runs without per-byte bounds checks;
// near them a careful path checks every step, one literal at a time, and moves on to the next
// segment.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class HuffmanTable;

class Inflater {
public:
    explicit Inflater(bool ignoreAdler32 = false);
    ~Inflater();

    // A piece of the compressed stream: the stream is the pieces in order, so the data of
    // several PNG chunks is decompressed where it lies, without joining it first.
    struct Segment {
        const unsigned char* data;
        size_t size;
    };

    // Decompresses the zlib stream into exactly outSize bytes at out. Returns 0 or a PngError
    // code; on failure the content of out is unspecified.
    unsigned Inflate(const std::vector<Segment>& stream, unsigned char* out, size_t outSize);
    unsigned Inflate(const unsigned char* in, size_t inSize, unsigned char* out, size_t outSize);

    // No DEFLATE stream expands more than this: a 258-byte match takes at least 2 bits.
    static constexpr uint64_t kMaxExpansion = 1032;

private:
    unsigned CheckZlibHeader();
    unsigned InflateBlocks();
    unsigned InflateStored();
    unsigned ReadDynamicTables();
    unsigned ReadCodeLengths(uint8_t* lengths, unsigned total);
    unsigned DecodeHuffmanBlock(const HuffmanTable& literals, const HuffmanTable& distances);
    unsigned DecodeCarefully(const uint32_t* literalTable, const uint32_t* distanceTable,
                             bool& endOfBlock);
    unsigned ReadAdler32(uint32_t& stored);

    void RefillCarefully();
    uint32_t TakeBits(unsigned count);
    bool ReadPastEnd() const { return m_bitCount < m_phantomBytes * 8; }
    void AlignToByte() { TakeBits(m_bitCount & 7); }
    bool NextSegment();
    unsigned CopyStoredBytes(size_t length);

    bool m_ignoreAdler32;
    std::unique_ptr<HuffmanTable> m_literals;
    std::unique_ptr<HuffmanTable> m_distances;
    std::unique_ptr<HuffmanTable> m_codeLengths;

    const std::vector<Segment>* m_segments = nullptr;
    size_t m_segment = 0;  // index of the segment after the current one
    const unsigned char* m_in = nullptr;
    const unsigned char* m_inEnd = nullptr;
    unsigned char* m_outStart = nullptr;
    unsigned char* m_out = nullptr;
    unsigned char* m_outEnd = nullptr;
    uint64_t m_bits = 0;
    unsigned m_bitCount = 0;
    // Zero bytes appended to the bit buffer past the end of the input; consuming any of their
    // bits means the stream was cut short.
    unsigned m_phantomBytes = 0;
};
