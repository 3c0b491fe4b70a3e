// The decompressor and the checksums against zlib.

#include "png/Inflater.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PngReference.h"
#include "png/Adler32.h"
#include "png/Crc32.h"
#include "png/HuffmanTable.h"
#include "png/PngError.h"

namespace {

using pngref::Bytes;

// Text-like data with repeats near and far, plus noise: literals, short and long matches.
Bytes SampleData(size_t size) {
    const Bytes noise = pngref::NoiseBytes(size, 77);
    const std::string words = "the quick brown fox jumps over the lazy dog ";
    Bytes data;
    for (size_t i = 0; i < size; ++i) {
        const size_t part = (i / 4096) % 3;
        data.push_back(part == 0   ? uint8_t(words[i % words.size()])
                       : part == 1 ? noise[i]
                                   : uint8_t(i / 700));
    }
    return data;
}

unsigned Inflate(const Bytes& stream, Bytes& out) {
    return Inflater().Inflate(stream.data(), stream.size(), out.data(), out.size());
}

// Writes DEFLATE bits: fields least significant bit first, Huffman codes most significant first.
struct BitWriter {
    Bytes bytes;
    unsigned used = 0;

    void Put(unsigned value, unsigned count) {
        for (unsigned i = 0; i < count; ++i) {
            if (used % 8 == 0) {
                bytes.push_back(0);
            }
            bytes.back() |= uint8_t(((value >> i) & 1) << (used % 8));
            ++used;
        }
    }
    void PutCode(unsigned code, unsigned length) {
        for (unsigned i = length; i-- > 0;) {
            Put((code >> i) & 1, 1);
        }
    }
};

Bytes ZlibWrap(const Bytes& deflate, const Bytes& content) {
    Bytes stream(deflate.size() + 2);
    stream[0] = 0x78;
    stream[1] = 0x01;
    std::copy(deflate.begin(), deflate.end(), stream.begin() + 2);
    pngref::PutBigEndian32(stream, uint32_t(adler32(1, content.data(), uInt(content.size()))));
    return stream;
}

}  // namespace

TEST(PngInflater, MatchesZlibForEveryLevelStrategyAndWindow) {
    const Bytes data = SampleData(20000);
    for (int level : {0, 1, 4, 6, 9}) {
        for (int strategy : {Z_DEFAULT_STRATEGY, Z_FIXED, Z_HUFFMAN_ONLY, Z_RLE}) {
            for (int windowBits : {8, 11, 15}) {
                SCOPED_TRACE(std::to_string(level) + "/" + std::to_string(strategy) + "/" +
                             std::to_string(windowBits));
                const Bytes stream = pngref::Compress(data, {level, windowBits, strategy});
                Bytes out(data.size());
                ASSERT_EQ(Inflate(stream, out), 0u);
                EXPECT_TRUE(out == data);
            }
        }
    }
}

TEST(PngInflater, EveryTruncationFails) {
    const Bytes data = SampleData(1200);
    for (int level : {0, 1, 9}) {
        const Bytes stream = pngref::Compress(data, {level, 15, Z_DEFAULT_STRATEGY});
        for (size_t cut = 0; cut < stream.size(); ++cut) {
            Bytes out(data.size());
            EXPECT_NE(Inflate(Bytes(stream.begin(), stream.begin() + cut), out), 0u)
                << "level " << level << ", cut " << cut;
        }
    }
}

TEST(PngInflater, HandMadeFixedBlocks) {
    // "abc" then a match of length 6 at distance 3: "abcabcabc".
    BitWriter w;
    w.Put(1, 1);  // last block
    w.Put(1, 2);  // fixed codes
    for (char c : std::string("abc")) {
        w.PutCode(0x30 + unsigned(c), 8);  // literals 0-143: 8-bit codes from 0x30
    }
    w.PutCode(4, 7);  // length symbol 260: length 6
    w.PutCode(2, 5);  // distance symbol 2: distance 3
    w.PutCode(0, 7);  // end of block
    const Bytes expected = {'a', 'b', 'c', 'a', 'b', 'c', 'a', 'b', 'c'};
    Bytes out(9);
    ASSERT_EQ(Inflate(ZlibWrap(w.bytes, expected), out), 0u);
    EXPECT_EQ(out, expected);

    // A match reaching before the start of the output.
    BitWriter far;
    far.Put(1, 1);
    far.Put(1, 2);
    far.PutCode(0x30 + 'a', 8);
    far.PutCode(1, 7);  // length 3
    far.PutCode(1, 5);  // distance 2, but only one byte written
    far.PutCode(0, 7);
    Bytes small(4);
    EXPECT_EQ(Inflate(ZlibWrap(far.bytes, Bytes(4, 'a')), small), kPngBadDistance);

    // Distance symbols 30 and 31 exist in the fixed code but are invalid.
    BitWriter invalid;
    invalid.Put(1, 1);
    invalid.Put(1, 2);
    invalid.PutCode(0x30 + 'a', 8);
    invalid.PutCode(1, 7);
    invalid.PutCode(30, 5);
    EXPECT_EQ(Inflate(ZlibWrap(invalid.bytes, Bytes(4, 'a')), small), kPngBadSymbol);

    BitWriter reserved;
    reserved.Put(1, 1);
    reserved.Put(3, 2);  // block type 3
    EXPECT_EQ(Inflate(ZlibWrap(reserved.bytes, {}), small), kPngBadBlockType);
}

TEST(PngInflater, StoredBlockLengthMustMatchItsComplement) {
    Bytes stream = pngref::Compress(Bytes{1, 2, 3}, {0, 15, Z_DEFAULT_STRATEGY});
    Bytes out(3);
    ASSERT_EQ(Inflate(stream, out), 0u);
    stream[5] ^= 1;  // first byte of NLEN
    EXPECT_EQ(Inflate(stream, out), kPngBadStoredLength);
}

TEST(PngInflater, HuffmanTablesRejectBadCodes) {
    HuffmanTable table(7, 19);
    uint32_t entries[19] = {};
    const uint8_t overSubscribed[3] = {1, 1, 1};
    EXPECT_FALSE(table.Build(overSubscribed, 3, entries, true));
    const uint8_t incomplete[3] = {1, 2, 0};
    EXPECT_FALSE(table.Build(incomplete, 3, entries, true));
    const uint8_t single[3] = {0, 1, 0};
    EXPECT_TRUE(table.Build(single, 3, entries, true));
    EXPECT_FALSE(table.Build(single, 3, entries, false));
    const uint8_t complete[3] = {1, 2, 2};
    EXPECT_TRUE(table.Build(complete, 3, entries, false));
}

TEST(PngChecksums, MatchZlib) {
    const Bytes data = SampleData(20000);
    for (size_t size : {size_t(0), size_t(1), size_t(7), size_t(8), size_t(15), size_t(16),
                        size_t(17), size_t(5551), size_t(5552), size_t(5553), size_t(20000)}) {
        EXPECT_EQ(Crc32::Compute(data.data(), size), crc32(0, data.data(), uInt(size)));
        EXPECT_EQ(Adler32::Compute(data.data(), size), adler32(1, data.data(), uInt(size)));
    }
    const Bytes ones(100000, 0xFF);  // largest sums
    EXPECT_EQ(Adler32::Compute(ones.data(), ones.size()),
              adler32(1, ones.data(), uInt(ones.size())));
    EXPECT_EQ(Crc32::Update(Crc32::Compute(data.data(), 100), data.data() + 100, 900),
              Crc32::Compute(data.data(), 1000));
}

TEST(PngInflater, PairedLiteralEntriesHoldBothCodes) {
    // Codes: 'a' = 0, 'b' = 10, 'c' = 110, end of block = 111, read least significant bit
    // first, so the table index of "a then b" is 0b010 and of "c then c" is 0b011011.
    uint8_t lengths[257] = {};
    lengths['a'] = 1;
    lengths['b'] = 2;
    lengths['c'] = 3;
    lengths[256] = 3;
    uint32_t entries[257] = {};
    for (uint32_t s = 0; s < 256; ++s) {
        entries[s] = s << 16 | HuffmanTable::kLiteral;
    }
    entries[256] = HuffmanTable::kEndOfBlock;
    HuffmanTable table(11, 288);
    ASSERT_TRUE(table.Build(lengths, 257, entries, false));
    table.PairLiterals();
    const uint32_t* e = table.Entries();
    const uint32_t ab =
        uint32_t('b') << 24 | uint32_t('a') << 16 | 1 << 12 | HuffmanTable::kLiteral | 3;
    EXPECT_EQ(e[0b010], ab);
    EXPECT_EQ(e[0b010 | 0b11111111000], ab);  // the bits after both codes do not matter
    const uint32_t cc =
        uint32_t('c') << 24 | uint32_t('c') << 16 | 3 << 12 | HuffmanTable::kLiteral | 6;
    EXPECT_EQ(e[0b011011], cc);
    // 'a' then the end of block stays a single literal.
    EXPECT_EQ(e[0b1110], uint32_t('a') << 16 | HuffmanTable::kLiteral | 1);
    // The end of block itself is untouched.
    EXPECT_EQ(e[0b111], HuffmanTable::kEndOfBlock | 3);
}

// Long runs of literals with short codes (few distinct byte values, as filtered photographs
// give) decode through paired table entries; the stream must still end exactly where zlib's
// does, whatever the output size.
TEST(PngInflater, PairedLiteralsMatchZlibAndKeepTheEnds) {
    const Bytes noise = pngref::NoiseBytes(60000, 5);
    Bytes data(noise.size());
    for (size_t i = 0; i < data.size(); ++i) {
        data[i] = uint8_t(noise[i] % 5 + (i % 3 == 0 ? 250 : 0));
    }
    for (int strategy : {Z_DEFAULT_STRATEGY, Z_HUFFMAN_ONLY}) {
        const Bytes stream = pngref::Compress(data, {6, 15, strategy});
        ASSERT_LT(stream.size(), data.size() / 2);  // short codes, so pairs do occur
        Bytes out(data.size());
        ASSERT_EQ(Inflate(stream, out), 0u);
        EXPECT_TRUE(out == data);
        Bytes shorter(data.size() - 1);
        EXPECT_EQ(Inflate(stream, shorter), kPngTooMuchImageData);
        Bytes longer(data.size() + 1);
        EXPECT_EQ(Inflate(stream, longer), kPngNotEnoughImageData);
        for (size_t cut = stream.size() - 40; cut < stream.size(); ++cut) {
            EXPECT_NE(Inflate(Bytes(stream.begin(), stream.begin() + cut), out), 0u) << cut;
        }
    }
}

// Matches at every distance from 1 to 40 (the byte-wise, eight-byte and sixteen-byte copies
// and their borders) with short and long lengths.
TEST(PngInflater, MatchCopiesAtEveryShortDistance) {
    const Bytes noise = pngref::NoiseBytes(300, 9);
    Bytes data;
    for (size_t distance = 1; distance <= 40; ++distance) {
        for (size_t length : {size_t(3), size_t(17), size_t(258), size_t(600)}) {
            const size_t start = data.size();
            data.insert(data.end(), noise.begin(), noise.begin() + distance);
            for (size_t i = 0; i < length; ++i) {
                data.push_back(data[start + i]);
            }
            data.push_back(uint8_t(distance * 7));  // breaks the run before the next pattern
        }
    }
    const Bytes stream = pngref::Compress(data, {9, 15, Z_DEFAULT_STRATEGY});
    Bytes out(data.size());
    ASSERT_EQ(Inflate(stream, out), 0u);
    EXPECT_TRUE(out == data);
}
