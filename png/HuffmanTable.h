#pragma once
// Decoding table for one canonical Huffman code of DEFLATE (RFC 1951), indexed by the next
// input bits taken least significant bit first. Codes no longer than the table's first-level
// width resolve in one look-up; longer codes go through a second-level sub-table chosen by
// their first bits.
//
// An entry is a 32-bit word:
//   bits 0-3   number of bits the code takes (at the first or the second level)
//   bits 4-7   always 0, so the low byte is the bit count and a shift by the entry (masked
//              to 6 bits, as x86 shifts mask) consumes the code
//   bits 8-11  kind flags below; none set means a length or distance base
//   bits 12-15 extra bits that follow the code (lengths, distances); the width of the
//              sub-table an entry of kind kSubtable points to; in a literal entry of a table
//              with paired literals, 0 for one literal or the length of the first code when
//              the entry holds two literals (bits 0-3 then count both codes)
//   bits 16-31 value: literal byte (two for a pair, the first in bits 16-23), symbol, base
//              length or distance, or sub-table offset

#include <cstdint>
#include <vector>

class HuffmanTable {
public:
    static constexpr uint32_t kLiteral = 0x100;
    static constexpr uint32_t kSubtable = 0x200;
    static constexpr uint32_t kEndOfBlock = 0x400;
    static constexpr uint32_t kInvalid = 0x800;
    static constexpr uint32_t kPairFirstLength = 0xF000;
    static constexpr unsigned kMaxCodeLength = 15;
    static constexpr unsigned kMaxTableBits = 11;

    // A table of first-level width tableBits (at most kMaxTableBits) for codes of at most
    // maxSymbols symbols.
    HuffmanTable(unsigned tableBits, unsigned maxSymbols);

    // Builds the table from the code length of each symbol (0 = unused, at most 15).
    // symbolEntries[s] is the entry of symbol s without its code length. False when the
    // lengths over-subscribe the code, or leave it incomplete where that is not allowed: a code
    // with no symbols, or with one symbol of length 1, is the incomplete code DEFLATE permits
    // for literal/length and distance codes (allowIncomplete); its unused bit patterns decode
    // to kInvalid entries.
    bool Build(const uint8_t* lengths, unsigned count, const uint32_t* symbolEntries,
               bool allowIncomplete);

    // Turns every first-level literal entry whose bits also hold the whole next code, itself
    // a literal, into an entry for both literals, so one look-up yields two bytes. Call after
    // Build, on literal/length tables only.
    void PairLiterals();

    const uint32_t* Entries() const { return m_entries.data(); }
    unsigned TableBits() const { return m_tableBits; }

private:
    void FillLongCodes(const uint8_t* lengths, unsigned count, const uint32_t* symbolEntries,
                       const uint16_t* reversedCodes);

    unsigned m_tableBits;
    std::vector<uint32_t> m_entries;
};
