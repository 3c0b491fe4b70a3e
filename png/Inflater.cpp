#include "png/Inflater.h"

#include <algorithm>
#include <cstring>

#include "png/Adler32.h"
#include "png/DeflateCodes.h"
#include "png/HuffmanTable.h"
#include "png/PngError.h"

namespace {

using DeflateCodes::kCodeLengthTableBits;
using DeflateCodes::kDistanceTableBits;
using DeflateCodes::kLiteralTableBits;
using DeflateCodes::kMaxDistanceSymbols;
using DeflateCodes::kMaxLiteralSymbols;
constexpr unsigned kMaxMatch = 258;
// The fast loop needs readable input for two word refills (each moves on at most 7 bytes and
// reads 8), and output room for three literal entries of two bytes each and the longest match
// plus the 15-byte overshoot of copying sixteen bytes at a time.
constexpr size_t kFastInputMargin = 16;
constexpr size_t kFastOutputMargin = 3 * 2 + kMaxMatch + 16;
// Output left below which a dynamic block's literals are not paired (see ReadDynamicTables).
constexpr size_t kPairingMinOutput = 16384;

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
        entry = table[(entry >> 16) + (bits & ((1u << ((entry >> 12) & 15)) - 1))];
    }
    // The low byte is the code's length (see HuffmanTable); the mask lets the shift take the
    // entry itself, one instruction less on the chain from one look-up to the next.
    bits >>= entry & 63;
    bitCount -= uint8_t(entry);
    return entry;
}

// Base plus extra bits of a length or distance entry.
inline unsigned TakeExtra(uint32_t entry, uint64_t& bits, unsigned& bitCount) {
    const unsigned extra = (entry >> 12) & 15;
    const unsigned value = (entry >> 16) + unsigned(bits & ((1u << extra) - 1));
    bits >>= extra;
    bitCount -= extra;
    return value;
}

// Writes the one or two literals of a literal entry and returns the new output position. Both
// bytes are always stored (the second is overwritten next when the entry holds one literal),
// so the fast loop needs room for two.
inline unsigned char* PutLiterals(unsigned char* out, uint32_t entry) {
    out[0] = uint8_t(entry >> 16);
    out[1] = uint8_t(entry >> 24);
    return out + 1 + ((entry & HuffmanTable::kPairFirstLength) != 0);
}

// Copies a match of length bytes from distance bytes back; the fast form may write up to 15
// bytes past the match. A step never reads bytes the same step writes: sixteen-byte steps
// need a distance of at least 16, eight-byte steps at least 8; shorter distances repeat a
// short pattern byte by byte.
inline void CopyMatchFast(unsigned char* out, unsigned distance, unsigned length) {
    const unsigned char* from = out - distance;
    unsigned char* const end = out + length;
    if (distance >= 16) {
        do {
            std::memcpy(out, from, 16);
            out += 16;
            from += 16;
        } while (out < end);
    } else if (distance >= 8) {
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
    return Inflate(std::vector<Segment>{{in, inSize}}, out, outSize);
}

unsigned Inflater::Inflate(const std::vector<Segment>& stream, unsigned char* out, size_t outSize) {
    m_segments = &stream;
    m_segment = 0;
    m_in = m_inEnd = nullptr;
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
    RefillCarefully();
    const unsigned cmf = TakeBits(8);
    const unsigned flags = TakeBits(8);
    if (ReadPastEnd()) {
        return kPngCompressedDataTruncated;
    }
    if ((cmf & 15) != 8 || (cmf >> 4) > 7 || (cmf * 256 + flags) % 31 != 0 || (flags & 0x20)) {
        return kPngBadZlibHeader;
    }
    return kPngOk;
}

bool Inflater::NextSegment() {
    while (m_segment < m_segments->size()) {
        const Segment& next = (*m_segments)[m_segment++];
        if (next.size > 0) {
            m_in = next.data;
            m_inEnd = next.data + next.size;
            return true;
        }
    }
    return false;
}

// Tops the bit buffer up to 56 to 63 bits a byte at a time, moving on to the next segment
// where one ends; past the end of the stream it appends zero bytes and counts them, so a read
// beyond the end shows in ReadPastEnd().
void Inflater::RefillCarefully() {
    // Word refills leave bytes they will load again above the valid bits; clear them.
    m_bits &= (uint64_t(1) << m_bitCount) - 1;
    while (m_bitCount < 56) {
        if (m_in < m_inEnd || NextSegment()) {
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
            error =
                DecodeHuffmanBlock(DeflateCodes::FixedLiterals(), DeflateCodes::FixedDistances());
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
    AlignToByte();
    RefillCarefully();
    const size_t length = TakeBits(16);
    const size_t complement = TakeBits(16);
    if (ReadPastEnd()) {
        return kPngCompressedDataTruncated;
    }
    if ((length ^ complement) != 0xFFFF) {
        return kPngBadStoredLength;
    }
    if (size_t(m_outEnd - m_out) < length) {
        return kPngTooMuchImageData;
    }
    return CopyStoredBytes(length);
}

// Copies a stored block: first the whole bytes still in the bit buffer, then straight from
// the segments.
unsigned Inflater::CopyStoredBytes(size_t length) {
    while (length > 0 && m_bitCount >= 8) {
        *m_out++ = uint8_t(TakeBits(8));
        --length;
    }
    if (ReadPastEnd()) {
        return kPngCompressedDataTruncated;
    }
    if (m_bitCount == 0) {
        m_bits = 0;  // the bytes above were loaded ahead and are read below
    }
    while (length > 0) {
        if (m_in == m_inEnd && !NextSegment()) {
            return kPngCompressedDataTruncated;
        }
        const size_t n = std::min(length, size_t(m_inEnd - m_in));
        std::memcpy(m_out, m_in, n);
        m_in += n;
        m_out += n;
        length -= n;
    }
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
    if (!m_codeLengths->Build(codeLengthLengths, 19, DeflateCodes::CodeLengthEntries(), false)) {
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
    if (!m_literals->Build(lengths, literalCount, DeflateCodes::LiteralEntries(), true) ||
        !m_distances->Build(lengths + literalCount, distanceCount, DeflateCodes::DistanceEntries(),
                            true)) {
        return kPngBadHuffmanCode;
    }
    // Pairing costs a pass over the first level; it pays only when the block is likely to
    // produce a good many literals, which a small image cannot.
    if (size_t(m_outEnd - m_out) >= kPairingMinOutput) {
        m_literals->PairLiterals();
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
    AlignToByte();
    RefillCarefully();
    stored = 0;
    for (int i = 0; i < 4; ++i) {
        stored = stored << 8 | TakeBits(8);
    }
    return ReadPastEnd() ? kPngCompressedDataTruncated : kPngOk;
}

// Decodes literal/length and distance codes until the end-of-block code. The state lives in
// locals so the compiler keeps it in registers despite the byte stores. The fast loop runs
// while the input segment and the output have room for two word refills, three literals and
// the longest match; one careful step at a time covers the rest.
unsigned Inflater::DecodeHuffmanBlock(const HuffmanTable& literals, const HuffmanTable& distances) {
    const uint32_t* literalTable = literals.Entries();
    const uint32_t* distanceTable = distances.Entries();
    const unsigned char* in = m_in;
    const unsigned char* inEnd = m_inEnd;
    unsigned char* out = m_out;
    unsigned char* const outStart = m_outStart;
    unsigned char* const outEnd = m_outEnd;
    uint64_t bits = m_bits;
    unsigned bitCount = m_bitCount;
    unsigned error = kPngOk;

    // Adds whole bytes to the bit buffer: at least 56 valid bits afterwards, enough for a
    // length and a distance code with their extra bits (15 + 5 + 15 + 13).
    auto refill = [&]() {
        bits |= LoadLittleEndian64(in) << bitCount;
        in += (63 - bitCount) >> 3;
        bitCount |= 56;
    };

    for (;;) {
        while (size_t(inEnd - in) >= kFastInputMargin &&
               size_t(outEnd - out) >= kFastOutputMargin) {
            refill();
            uint32_t entry = DecodeSymbol(literalTable, kLiteralTableBits, bits, bitCount);
            if (entry & HuffmanTable::kLiteral) {
                // Two more entries fit in the bits left (15 bits each at most), each holding
                // one or two literals.
                out = PutLiterals(out, entry);
                entry = DecodeSymbol(literalTable, kLiteralTableBits, bits, bitCount);
                if (!(entry & HuffmanTable::kLiteral)) {
                    refill();
                } else {
                    out = PutLiterals(out, entry);
                    entry = DecodeSymbol(literalTable, kLiteralTableBits, bits, bitCount);
                    if (entry & HuffmanTable::kLiteral) {
                        out = PutLiterals(out, entry);
                        continue;
                    }
                    refill();
                }
            }
            if (entry & (HuffmanTable::kEndOfBlock | HuffmanTable::kInvalid)) {
                error = (entry & HuffmanTable::kInvalid) ? kPngBadSymbol : kPngOk;
                goto done;
            }
            const unsigned length = TakeExtra(entry, bits, bitCount);
            const uint32_t distanceEntry =
                DecodeSymbol(distanceTable, kDistanceTableBits, bits, bitCount);
            const unsigned distance = TakeExtra(distanceEntry, bits, bitCount);
            if ((distanceEntry & HuffmanTable::kInvalid) || distance > size_t(out - outStart)) {
                error = (distanceEntry & HuffmanTable::kInvalid) ? kPngBadSymbol : kPngBadDistance;
                goto done;
            }
            CopyMatchFast(out, distance, length);
            out += length;
        }

        // One careful step, then the fast loop again if there is room.
        m_in = in;
        m_out = out;
        m_bits = bits;
        m_bitCount = bitCount;
        bool endOfBlock = false;
        error = DecodeCarefully(literalTable, distanceTable, endOfBlock);
        in = m_in;
        inEnd = m_inEnd;
        out = m_out;
        bits = m_bits;
        bitCount = m_bitCount;
        if (error != kPngOk || endOfBlock || ReadPastEnd()) {
            break;
        }
    }
done:
    m_in = in;
    m_out = out;
    m_bits = bits;
    m_bitCount = bitCount;
    if (error == kPngOk && ReadPastEnd()) {
        error = kPngCompressedDataTruncated;
    }
    return error;
}

// Decodes one symbol with every bound checked: used near the end of an input segment or of the
// output.
unsigned Inflater::DecodeCarefully(const uint32_t* literalTable, const uint32_t* distanceTable,
                                   bool& endOfBlock) {
    RefillCarefully();
    uint32_t entry = literalTable[m_bits & ((1u << kLiteralTableBits) - 1)];
    if ((entry & HuffmanTable::kLiteral) && (entry & HuffmanTable::kPairFirstLength)) {
        // Only the first literal of a pair, as if the table held single literals, so errors
        // near the ends are found at the same symbol.
        TakeBits((entry & HuffmanTable::kPairFirstLength) >> 12);
        entry &= 0xFF0000;
        entry |= HuffmanTable::kLiteral;
    } else {
        entry = DecodeSymbol(literalTable, kLiteralTableBits, m_bits, m_bitCount);
    }
    if (entry & (HuffmanTable::kEndOfBlock | HuffmanTable::kInvalid)) {
        endOfBlock = true;
        return (entry & HuffmanTable::kInvalid) ? kPngBadSymbol : kPngOk;
    }
    if (entry & HuffmanTable::kLiteral) {
        if (m_out == m_outEnd) {
            return kPngTooMuchImageData;
        }
        *m_out++ = uint8_t(entry >> 16);
        return kPngOk;
    }
    const unsigned length = TakeExtra(entry, m_bits, m_bitCount);
    const uint32_t distanceEntry =
        DecodeSymbol(distanceTable, kDistanceTableBits, m_bits, m_bitCount);
    const unsigned distance = TakeExtra(distanceEntry, m_bits, m_bitCount);
    if (distanceEntry & HuffmanTable::kInvalid) {
        return kPngBadSymbol;
    }
    if (distance > size_t(m_out - m_outStart)) {
        return kPngBadDistance;
    }
    if (length > size_t(m_outEnd - m_out)) {
        return kPngTooMuchImageData;
    }
    for (unsigned i = 0; i < length; ++i, ++m_out) {
        *m_out = m_out[-ptrdiff_t(distance)];
    }
    return kPngOk;
}
