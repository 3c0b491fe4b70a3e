#include "resources/Inflater.h"

#include <cstring>

#include "resources/Adler32.h"
#include "resources/HuffmanTable.h"
#include "resources/PngError.h"

namespace {

constexpr unsigned kLiteralTableBits = 11;
constexpr unsigned kDistanceTableBits = 8;
constexpr unsigned kCodeLengthTableBits = 7;
constexpr unsigned kMaxLiteralSymbols = 288;
constexpr unsigned kMaxDistanceSymbols = 32;
constexpr unsigned kMaxMatch = 258;
// The fast path needs 8 readable input bytes for a word refill, and room for the longest
// match plus the 8-byte overshoot of word-wise copying.
constexpr size_t kFastInputMargin = 8;
constexpr size_t kFastOutputMargin = kMaxMatch + 8;

struct SymbolEntries {
    uint32_t literal[kMaxLiteralSymbols];
    uint32_t distance[kMaxDistanceSymbols];
    uint32_t codeLength[19];

    SymbolEntries() {
        static const uint16_t lengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                67, 83, 99, 115, 131, 163, 195, 227, 258};
        static const uint8_t lengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        static const uint16_t distanceBase[30] = {
            1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
            193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
        static const uint8_t distanceExtra[30] = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                  4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                  9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
        for (uint32_t s = 0; s < 256; ++s) {
            literal[s] = s << 16 | HuffmanTable::kLiteral;
        }
        literal[256] = HuffmanTable::kEndOfBlock;
        for (uint32_t s = 0; s < 29; ++s) {
            literal[257 + s] = uint32_t(lengthBase[s]) << 16 | uint32_t(lengthExtra[s]) << 4;
        }
        literal[286] = literal[287] = HuffmanTable::kInvalid;
        for (uint32_t s = 0; s < 30; ++s) {
            distance[s] = uint32_t(distanceBase[s]) << 16 | uint32_t(distanceExtra[s]) << 4;
        }
        distance[30] = distance[31] = HuffmanTable::kInvalid;
        for (uint32_t s = 0; s < 19; ++s) {
            codeLength[s] = s << 16;
        }
    }
};

const SymbolEntries& Symbols() {
    static const SymbolEntries symbols;
    return symbols;
}

// The fixed codes of block type 1, built once.
struct FixedTables {
    HuffmanTable literals{kLiteralTableBits, kMaxLiteralSymbols};
    HuffmanTable distances{kDistanceTableBits, kMaxDistanceSymbols};

    FixedTables() {
        uint8_t lengths[kMaxLiteralSymbols];
        std::memset(lengths, 8, 144);
        std::memset(lengths + 144, 9, 112);
        std::memset(lengths + 256, 7, 24);
        std::memset(lengths + 280, 8, 8);
        literals.Build(lengths, kMaxLiteralSymbols, Symbols().literal, false);
        std::memset(lengths, 5, kMaxDistanceSymbols);
        distances.Build(lengths, kMaxDistanceSymbols, Symbols().distance, false);
    }
};

const FixedTables& Fixed() {
    static const FixedTables tables;
    return tables;
}

uint64_t LoadLittleEndian64(const unsigned char* p) {
    uint64_t word;
    std::memcpy(&word, p, 8);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = __builtin_bswap64(word);
#endif
    return word;
}

// Looks up the next code of a table in the bit buffer and consumes its bits (and, for a
// second-level code, the first-level bits). Needs at least 15 valid bits in the buffer.
inline uint32_t DecodeSymbol(const uint32_t* table, unsigned tableBits, uint64_t& bits,
                             unsigned& bitCount) {
    uint32_t entry = table[bits & ((1u << tableBits) - 1)];
    if (entry & HuffmanTable::kSubtable) {
        bits >>= tableBits;
        bitCount -= tableBits;
        entry = table[(entry >> 16) + (bits & ((1u << ((entry >> 4) & 15)) - 1))];
    }
    bits >>= entry & 15;
    bitCount -= entry & 15;
    return entry;
}

// Base plus extra bits of a length or distance entry.
inline unsigned TakeExtra(uint32_t entry, uint64_t& bits, unsigned& bitCount) {
    const unsigned extra = (entry >> 4) & 15;
    const unsigned value = (entry >> 16) + unsigned(bits & ((1u << extra) - 1));
    bits >>= extra;
    bitCount -= extra;
    return value;
}

// Copies a match of length bytes from distance bytes back; the fast form may write up to 7
// bytes past the match.
inline void CopyMatchFast(unsigned char* out, unsigned distance, unsigned length) {
    const unsigned char* from = out - distance;
    unsigned char* const end = out + length;
    if (distance >= 8) {
        do {
            std::memcpy(out, from, 8);
            out += 8;
            from += 8;
        } while (out < end);
    } else if (distance == 1) {
        std::memset(out, from[0], length);
    } else {
        while (out < end) {
            *out++ = *from++;
        }
    }
}

}  // namespace

Inflater::Inflater(bool ignoreAdler32)
    : m_ignoreAdler32(ignoreAdler32),
      m_literals(new HuffmanTable(kLiteralTableBits, kMaxLiteralSymbols)),
      m_distances(new HuffmanTable(kDistanceTableBits, kMaxDistanceSymbols)),
      m_codeLengths(new HuffmanTable(kCodeLengthTableBits, 19)) {}

Inflater::~Inflater() = default;

unsigned Inflater::Inflate(const unsigned char* in, size_t inSize, unsigned char* out,
                           size_t outSize) {
    m_in = in;
    m_inEnd = in + inSize;
    m_outStart = m_out = out;
    m_outEnd = out + outSize;
    m_bits = 0;
    m_bitCount = 0;
    m_phantomBytes = 0;

    unsigned error = CheckZlibHeader();
    if (error == kPngOk) {
        error = InflateBlocks();
    }
    if (error != kPngOk) {
        return error;
    }
    if (m_out != m_outEnd) {
        return kPngNotEnoughImageData;
    }
    uint32_t stored = 0;
    error = ReadAdler32(stored);
    if (error == kPngOk && !m_ignoreAdler32 && stored != Adler32::Compute(out, outSize)) {
        error = kPngBadAdler32;
    }
    return error;
}

// RFC 1950: method 8 (deflate), window at most 32 KiB, header a multiple of 31, no preset
// dictionary.
unsigned Inflater::CheckZlibHeader() {
    if (m_inEnd - m_in < 2) {
        return kPngCompressedDataTruncated;
    }
    const unsigned cmf = m_in[0];
    const unsigned flags = m_in[1];
    if ((cmf & 15) != 8 || (cmf >> 4) > 7 || (cmf * 256 + flags) % 31 != 0 || (flags & 0x20)) {
        return kPngBadZlibHeader;
    }
    m_in += 2;
    return kPngOk;
}

// Tops the bit buffer up to at least 56 bits a byte at a time; past the end of the input it
// appends zero bytes and counts them, so a read beyond the end shows in ReadPastEnd().
void Inflater::RefillCarefully() {
    while (m_bitCount <= 56) {
        if (m_in < m_inEnd) {
            m_bits |= uint64_t(*m_in++) << m_bitCount;
        } else {
            ++m_phantomBytes;
        }
        m_bitCount += 8;
    }
}

uint32_t Inflater::TakeBits(unsigned count) {
    const uint32_t value = uint32_t(m_bits & ((uint64_t(1) << count) - 1));
    m_bits >>= count;
    m_bitCount -= count;
    return value;
}

// Drops the bits up to the next byte boundary and gives the whole bytes still held in the
// bit buffer back to the input, so byte-aligned data can be read directly.
void Inflater::ReturnWholeBytes() {
    m_bitCount -= m_bitCount & 7;
    m_in -= m_bitCount / 8 - m_phantomBytes;
    m_bits = 0;
    m_bitCount = 0;
    m_phantomBytes = 0;
}

unsigned Inflater::InflateBlocks() {
    unsigned last = 0;
    do {
        RefillCarefully();
        last = TakeBits(1);
        const unsigned type = TakeBits(2);
        if (ReadPastEnd()) {
            return kPngCompressedDataTruncated;
        }
        unsigned error = kPngOk;
        if (type == 0) {
            error = InflateStored();
        } else if (type == 1) {
            error = DecodeHuffmanBlock(Fixed().literals, Fixed().distances);
        } else if (type == 2) {
            error = ReadDynamicTables();
            if (error == kPngOk) {
                error = DecodeHuffmanBlock(*m_literals, *m_distances);
            }
        } else {
            error = kPngBadBlockType;
        }
        if (error != kPngOk) {
            return error;
        }
    } while (!last);
    return kPngOk;
}

unsigned Inflater::InflateStored() {
    ReturnWholeBytes();
    if (m_inEnd - m_in < 4) {
        return kPngCompressedDataTruncated;
    }
    const size_t length = m_in[0] | m_in[1] << 8;
    const size_t complement = m_in[2] | m_in[3] << 8;
    if ((length ^ complement) != 0xFFFF) {
        return kPngBadStoredLength;
    }
    m_in += 4;
    if (size_t(m_inEnd - m_in) < length) {
        return kPngCompressedDataTruncated;
    }
    if (size_t(m_outEnd - m_out) < length) {
        return kPngTooMuchImageData;
    }
    std::memcpy(m_out, m_in, length);
    m_in += length;
    m_out += length;
    return kPngOk;
}

unsigned Inflater::ReadDynamicTables() {
    static const uint8_t kOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                       11, 4,  12, 3, 13, 2, 14, 1, 15};
    RefillCarefully();
    const unsigned literalCount = 257 + TakeBits(5);
    const unsigned distanceCount = 1 + TakeBits(5);
    const unsigned codeLengthCount = 4 + TakeBits(4);
    if (literalCount > 286 || distanceCount > 30) {
        return kPngBadHuffmanCode;
    }
    uint8_t codeLengthLengths[19] = {};
    for (unsigned i = 0; i < codeLengthCount; ++i) {
        RefillCarefully();
        codeLengthLengths[kOrder[i]] = uint8_t(TakeBits(3));
    }
    if (ReadPastEnd()) {
        return kPngCompressedDataTruncated;
    }
    if (!m_codeLengths->Build(codeLengthLengths, 19, Symbols().codeLength, false)) {
        return kPngBadHuffmanCode;
    }
    uint8_t lengths[286 + 30];
    const unsigned error = ReadCodeLengths(lengths, literalCount + distanceCount);
    if (error != kPngOk) {
        return error;
    }
    if (lengths[256] == 0) {
        return kPngBadHuffmanCode;  // a block must be able to end
    }
    if (!m_literals->Build(lengths, literalCount, Symbols().literal, true) ||
        !m_distances->Build(lengths + literalCount, distanceCount, Symbols().distance, true)) {
        return kPngBadHuffmanCode;
    }
    return kPngOk;
}

// The run-length coded code lengths of the literal/length and distance codes.
unsigned Inflater::ReadCodeLengths(uint8_t* lengths, unsigned total) {
    const uint32_t* table = m_codeLengths->Entries();
    unsigned i = 0;
    while (i < total) {
        RefillCarefully();
        const uint32_t entry = DecodeSymbol(table, kCodeLengthTableBits, m_bits, m_bitCount);
        if (entry & HuffmanTable::kInvalid) {
            return kPngBadSymbol;
        }
        const unsigned symbol = entry >> 16;
        if (symbol < 16) {
            lengths[i++] = uint8_t(symbol);
            continue;
        }
        unsigned repeat = 0;
        uint8_t value = 0;
        if (symbol == 16) {
            if (i == 0) {
                return kPngBadHuffmanCode;
            }
            value = lengths[i - 1];
            repeat = 3 + TakeBits(2);
        } else if (symbol == 17) {
            repeat = 3 + TakeBits(3);
        } else {
            repeat = 11 + TakeBits(7);
        }
        if (repeat > total - i) {
            return kPngBadHuffmanCode;
        }
        std::memset(lengths + i, value, repeat);
        i += repeat;
    }
    return ReadPastEnd() ? kPngCompressedDataTruncated : kPngOk;
}

unsigned Inflater::ReadAdler32(uint32_t& stored) {
    if (ReadPastEnd()) {
        return kPngCompressedDataTruncated;
    }
    ReturnWholeBytes();
    if (m_inEnd - m_in < 4) {
        return kPngCompressedDataTruncated;
    }
    stored = uint32_t(m_in[0]) << 24 | uint32_t(m_in[1]) << 16 | uint32_t(m_in[2]) << 8 | m_in[3];
    m_in += 4;
    return kPngOk;
}

// Decodes literal/length and distance codes until the end-of-block code. The state lives in
// locals so the compiler keeps it in registers despite the byte stores.
unsigned Inflater::DecodeHuffmanBlock(const HuffmanTable& literals, const HuffmanTable& distances) {
    const uint32_t* literalTable = literals.Entries();
    const uint32_t* distanceTable = distances.Entries();
    const unsigned char* in = m_in;
    const unsigned char* const inEnd = m_inEnd;
    unsigned char* out = m_out;
    unsigned char* const outStart = m_outStart;
    unsigned char* const outEnd = m_outEnd;
    uint64_t bits = m_bits;
    unsigned bitCount = m_bitCount;
    unsigned error = kPngOk;

    for (;;) {
        const bool fast =
            size_t(inEnd - in) >= kFastInputMargin && size_t(outEnd - out) >= kFastOutputMargin;
        if (fast) {
            // At least 56 valid bits afterwards: enough for a length and a distance code
            // with their extra bits (15 + 5 + 15 + 13).
            bits |= LoadLittleEndian64(in) << bitCount;
            in += (63 - bitCount) >> 3;
            bitCount |= 56;
        } else {
            m_in = in;
            m_bits = bits;
            m_bitCount = bitCount;
            RefillCarefully();
            in = m_in;
            bits = m_bits;
            bitCount = m_bitCount;
        }
        const uint32_t entry = DecodeSymbol(literalTable, kLiteralTableBits, bits, bitCount);
        if (entry & HuffmanTable::kLiteral) {
            if (!fast && out == outEnd) {
                error = kPngTooMuchImageData;
                break;
            }
            *out++ = uint8_t(entry >> 16);
            continue;
        }
        if (entry & (HuffmanTable::kEndOfBlock | HuffmanTable::kInvalid)) {
            error = (entry & HuffmanTable::kInvalid) ? kPngBadSymbol : kPngOk;
            break;
        }
        const unsigned length = TakeExtra(entry, bits, bitCount);
        const uint32_t distanceEntry =
            DecodeSymbol(distanceTable, kDistanceTableBits, bits, bitCount);
        if (distanceEntry & HuffmanTable::kInvalid) {
            error = kPngBadSymbol;
            break;
        }
        const unsigned distance = TakeExtra(distanceEntry, bits, bitCount);
        if (distance > size_t(out - outStart)) {
            error = kPngBadDistance;
            break;
        }
        if (fast) {
            CopyMatchFast(out, distance, length);
            out += length;
            continue;
        }
        if (length > size_t(outEnd - out)) {
            error = kPngTooMuchImageData;
            break;
        }
        for (unsigned i = 0; i < length; ++i, ++out) {
            *out = out[-ptrdiff_t(distance)];
        }
        if (bitCount < m_phantomBytes * 8) {
            break;
        }
    }
    m_in = in;
    m_out = out;
    m_bits = bits;
    m_bitCount = bitCount;
    if (error == kPngOk && ReadPastEnd()) {
        error = kPngCompressedDataTruncated;
    }
    return error;
}
